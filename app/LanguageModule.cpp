#include "LanguageModule.h"

#include "PackedIconEngine.h"
#include "PackedImage.h"
#include "RccArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>

LanguageModule *g_hLangModule = nullptr;

namespace {

const QString kRoot = QStringLiteral("/tav-language");
// A module is a few hundred kilobytes; anything far larger is not one.
constexpr qint64 kMaxModuleSize = 64 * 1024 * 1024;

QHash<unsigned, QString> ParseStrings(const QByteArray &json) {
    QHash<unsigned, QString> strings;
    const QJsonObject table = QJsonDocument::fromJson(json).object();
    for (auto it = table.begin(); it != table.end(); ++it) {
        bool ok = false;
        const unsigned id = it.key().toUInt(&ok);
        if (ok && it.value().isString())
            strings.insert(id, it.value().toString());
    }
    return strings;
}

// The bytes of one resource, without a copy: they stay valid while the module is
// registered, which outlasts every use of them.
QByteArray ReadResource(const QString &path) {
    const QResource resource(path);
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                   static_cast<qsizetype>(resource.size()));
}

} // namespace

QString LanguageModule::FileName() {
    return QStringLiteral("lang_en.rcc");
}

QStringList LanguageModule::DefaultSearchDirs() {
    return {QCoreApplication::applicationDirPath(), QStringLiteral(TAV_DATADIR)};
}

std::unique_ptr<LanguageModule> LanguageModule::Load(const QStringList &searchDirs) {
    for (const QString &dir : searchDirs) {
        if (dir.isEmpty() || QDir::isRelativePath(dir))
            continue;
        const QString path = QDir(dir).filePath(FileName());
        if (!QFileInfo::exists(path))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxModuleSize)
            return nullptr;
        QByteArray data = file.readAll();
        const auto *bytes = reinterpret_cast<const unsigned char *>(data.constData());
        if (!RccArchive::IsWellFormed(bytes, static_cast<std::size_t>(data.size())))
            return nullptr;
        std::unique_ptr<LanguageModule> module(new LanguageModule(path, std::move(data)));
        if (!module->m_registered)
            return nullptr;
        return module;
    }
    return nullptr;
}

LanguageModule::LanguageModule(QString path, QByteArray data)
    : m_path(std::move(path)), m_data(std::move(data)) {
    const auto *bytes = reinterpret_cast<const uchar *>(m_data.constData());
    m_registered = QResource::registerResource(bytes, kRoot);
    if (m_registered)
        m_strings = ParseStrings(ReadResource(resourcePath(QStringLiteral("strings.json"))));
}

LanguageModule::~LanguageModule() {
    if (m_registered)
        QResource::unregisterResource(reinterpret_cast<const uchar *>(m_data.constData()), kRoot);
}

QString LanguageModule::resourcePath(const QString &relative) const {
    return QLatin1Char(':') + kRoot + QLatin1Char('/') + relative;
}

std::optional<DialogLayout> LanguageModule::layout(int id) const {
    // A missing layout reads as no bytes, which are no layout either.
    std::optional<DialogLayout> layout = DialogLayout::FromJson(
        ReadResource(resourcePath(QStringLiteral("layouts/%1.json").arg(id))));
    if (layout && layout->id != id)
        return std::nullopt;
    return layout;
}

std::optional<QString> LanguageModule::string(unsigned id) const {
    const auto it = m_strings.constFind(id);
    if (it == m_strings.constEnd())
        return std::nullopt;
    return *it;
}

QPixmap LanguageModule::bitmap(int id) const {
    // Drawn in place from the module's bytes, which the picture keeps a share of.
    return QPixmap::fromImage(PackedImage::Unpack(
        ReadResource(resourcePath(QStringLiteral("bitmaps/%1").arg(id))), m_data));
}

QIcon LanguageModule::icon(int id) const {
    // Each image is named by its side in pixels.
    const QDir dir(resourcePath(QStringLiteral("icons/%1").arg(id)));
    QMap<int, QString> images;
    const QStringList names = dir.entryList(QDir::Files);
    for (const QString &name : names) {
        const int side = name.toInt();
        if (side > 0)
            images.insert(side, dir.filePath(name));
    }
    if (images.isEmpty())
        return {};
    return QIcon(new PackedIconEngine(std::move(images), m_data));
}
