#include "cli/LayerMap.h"

#include "cad/DxfSource.h"

#include "cli/CliStrings.h"
#include "cli/DocumentInput.h"
#include "document/DocumentWording.h"
#include "document/DuplicateKeys.h"
#include "document/JsonFields.h"
#include "text/StringIds.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <map>

namespace {

using tav::DocumentError;
using tav::JsonFields;
using tav::cad::LayerMapping;
using tav::cad::LayerRole;

// A number the layer gives, or none when it leaves it out.
std::optional<double> given(JsonFields &f, const char *key) {
    if (!f.has(key) || f.isNull(key))
        return std::nullopt;
    const double v = f.positive(key, 0, false);
    return f.failed() ? std::nullopt : std::optional<double>(v);
}

// A fence layer's posts, each of its sizes above 0; the depth of their tops may be left
// out, as in the document.
tav::cad::FencePosts readPosts(JsonFields &layer, DocumentError &error) {
    const QJsonValue value = layer.value("posts", true);
    tav::cad::FencePosts posts;
    if (layer.failed())
        return posts;
    JsonFields f(value, layer.path("posts"), error);
    f.allowOnly({"spacing", "length", "diameter", "top"});
    posts.spacing = f.positive("spacing", 0, true);
    posts.length = f.positive("length", 0, true);
    posts.diameter = f.positive("diameter", 0, true);
    if (f.has("top") && !f.isNull("top")) {
        posts.top = f.number("top", 0, false);
        if (!f.failed() && *posts.top < 0)
            JsonFields::fail(error, DocumentError::Kind::Negative, f.path("top"));
    }
    return posts;
}

// The keys each role takes: a fence's posts and group, a touch area's group, the rock's
// outline nothing but its role.
const std::map<QString, std::pair<LayerRole, QStringList>> &roles() {
    static const std::map<QString, std::pair<LayerRole, QStringList>> named{
        {QStringLiteral("conductor"),
         {LayerRole::Conductor, {"role", "depth", "diameter", "length", "group"}}},
        {QStringLiteral("rod"), {LayerRole::Rod, {"role", "depth", "diameter", "length", "group"}}},
        {QStringLiteral("ignored"),
         {LayerRole::Ignored, {"role", "depth", "diameter", "length", "group"}}},
        {QStringLiteral("fence"), {LayerRole::Fence, {"role", "posts", "group"}}},
        {QStringLiteral("touch_area"), {LayerRole::TouchArea, {"role", "group"}}},
        {QStringLiteral("surface"), {LayerRole::Surface, {"role"}}}};
    return named;
}

// A layer's mapping; unknownRole set to its path when the role is none of roles().
LayerMapping readLayer(const QJsonValue &value, const QString &path, DocumentError &error,
                       QString &unknownRole) {
    JsonFields f(value, path, error);
    LayerMapping mapping;
    const QJsonValue role = f.value("role", true);
    if (f.failed())
        return mapping;
    if (!role.isString()) {
        JsonFields::fail(error, DocumentError::Kind::NotText, f.path("role"));
        return mapping;
    }
    const auto found = roles().find(role.toString());
    if (found == roles().end()) {
        unknownRole = f.path("role");
        return mapping;
    }
    mapping.role = found->second.first;
    f.allowOnly(found->second.second);
    if (mapping.role == LayerRole::Fence) {
        mapping.posts = readPosts(f, error);
        mapping.grouped = f.has("group") && !f.isNull("group");
        mapping.group = f.integer("group", 0, false);
        return mapping;
    }
    if (mapping.role == LayerRole::TouchArea || mapping.role == LayerRole::Surface) {
        mapping.group = f.integer("group", 0, false);
        return mapping;
    }
    // A depth of 0 lays a conductor on the surface, which the solver refuses by name.
    if (f.has("depth") && !f.isNull("depth")) {
        mapping.depth = f.number("depth", 0, false);
        if (!f.failed() && *mapping.depth < 0)
            JsonFields::fail(error, DocumentError::Kind::Negative, f.path("depth"));
    }
    mapping.diameter = given(f, "diameter");
    mapping.rodLength = given(f, "length");
    mapping.group = f.integer("group", 0, false);
    return mapping;
}

// CAD matches a layer's name whatever its case, and so does the import: two names that
// differ only in case would give one layer two mappings, of which one would be dropped.
// Their paths, or nothing.
QStringList sameLayer(const QJsonObject &named) {
    std::map<std::string, QString> seen; // by the name in capitals, as the import matches it
    for (auto it = named.begin(); it != named.end(); ++it) {
        const QString path = QStringLiteral("layers.") + it.key();
        const auto [at, added] = seen.emplace(tav::cad::upperCase(it.key().toStdString()), path);
        if (!added)
            return {at->second, path};
    }
    return {};
}

} // namespace

LayerMap::Layers LayerMap::fromJson(const QByteArray &json, QString &refused) {
    Layers layers;
    DocumentError error;
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error.kind = DocumentError::Kind::NotJson;
        error.offset = parse.offset;
        error.parseError = int(parse.error);
    } else if (const QString twice = tav::DuplicateKeys::firstIn(json); !twice.isEmpty()) {
        JsonFields::fail(error, DocumentError::Kind::DuplicateKey, twice);
    } else {
        JsonFields top(document.isObject() ? QJsonValue(document.object()) : QJsonValue(),
                       QString(), error);
        top.allowOnly({"layers"});
        const QJsonValue all = top.value("layers", true);
        if (!top.failed() && !all.isObject())
            JsonFields::fail(error, DocumentError::Kind::NotAnObject, top.path("layers"));
        const QJsonObject named = all.toObject();
        if (const QStringList same = sameLayer(named); !same.isEmpty()) {
            refused = CliStrings::text(StringId::LayerMapFaults::kSameLayer).arg(same[0], same[1]);
            return {};
        }
        QString unknownRole;
        for (auto it = named.begin();
             it != named.end() && error.kind == DocumentError::Kind::None && unknownRole.isEmpty();
             ++it)
            layers[it.key().toStdString()] =
                readLayer(it.value(), QStringLiteral("layers.") + it.key(), error, unknownRole);
        if (!unknownRole.isEmpty()) {
            refused = CliStrings::text(StringId::kImportUnknownRole).arg(unknownRole);
            return {};
        }
    }
    if (error.kind != DocumentError::Kind::None) {
        refused = DocumentWording::error(error, &CliStrings::text);
        return {};
    }
    return layers;
}

LayerMap::Layers LayerMap::read(const QString &path, QString &refused) {
    QByteArray content;
    QString why;
    if (!DocumentInput::read(path, content, why, DocumentInput::Kind::LayerMap)) {
        refused = why;
        return {};
    }
    QString fault;
    Layers layers = fromJson(content, fault);
    if (!fault.isEmpty())
        refused = CliStrings::text(StringId::kImportMapUnreadable).arg(path, fault);
    return layers;
}
