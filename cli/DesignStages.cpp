#include "cli/DesignStages.h"

#include "core/AtomicFileWriter.h"
#include "document/DesignStudy.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

using tav::design::Judgement;
using tav::design::Layout;

namespace {

bool same(const Layout &a, const Layout &b) {
    return a.linesX == b.linesX && a.linesY == b.linesY && a.compressX == b.compressX &&
           a.compressY == b.compressY && a.rods == b.rods && a.rodLength == b.rodLength &&
           a.surface == b.surface;
}

// A place's voltage over its tolerable value; none without a limit.
std::optional<double> share(const QJsonValue &place) {
    const QJsonObject o = place.toObject();
    if (!o.value(QStringLiteral("tolerable")).isDouble())
        return std::nullopt;
    return o.value(QStringLiteral("voltage")).toDouble() /
           o.value(QStringLiteral("tolerable")).toDouble();
}

} // namespace

DesignStages::DesignStages(const tav::SystemDocument &document,
                           const tav::design::FamilyBounds &bounds, const QString &folder)
    : m_document(document), m_family(tav::design::DesignLayout::family(*document.design, bounds)),
      m_folder(folder) {
    // Every layout is written as a study of one case, so that its result always carries
    // the envelope; a case that changes nothing answers as the study does.
    if (m_document.cases.empty()) {
        tav::StudyCase only;
        only.name = QStringLiteral("design");
        m_document.cases.push_back(only);
    }
}

QString DesignStages::name(const Layout &layout) const {
    const auto at = std::find_if(m_family.begin(), m_family.end(),
                                 [&](const Layout &l) { return same(l, layout); });
    return QStringLiteral("layout-%1")
        .arg(qlonglong(at - m_family.begin()), 5, 10, QLatin1Char('0'));
}

tav::Refusable<std::vector<Judgement>>
DesignStages::operator()(const std::vector<Layout> &layouts) const {
    const QDir folder(m_folder);
    std::vector<Judgement> judged;
    Pending pending;
    for (const Layout &layout : layouts) {
        const QString base = folder.filePath(name(layout));
        QFile result(base + QStringLiteral(".result.json"));
        if (result.open(QIODevice::ReadOnly)) {
            try {
                judged.push_back(DesignStages::judged(result.readAll()));
            } catch (const Unreadable &why) {
                throw Unreadable(result.fileName().toStdString() + ": " + why.what());
            }
            continue;
        }
        const QString document = base + QStringLiteral(".json");
        const QByteArray json = tav::DesignStudy::laidOut(m_document, layout).toJson();
        if (tav::writeFileAtomically(QFile::encodeName(document).toStdString(), json.toStdString())
                .status != tav::SiteWriteStatus::Success)
            throw Unreadable(document.toStdString() + ": could not be written");
        pending.documents << document;
    }
    if (!pending.documents.isEmpty())
        throw pending;
    return judged;
}

Judgement DesignStages::judged(const QByteArray &result) {
    QJsonParseError parse;
    const QJsonObject o = QJsonDocument::fromJson(result, &parse).object();
    const QJsonObject envelope = o.value(QStringLiteral("envelope")).toObject();
    if (parse.error != QJsonParseError::NoError || envelope.isEmpty())
        throw Unreadable("not the JSON result of tav-calc system with its envelope");
    Judgement j;
    j.safe = envelope.value(QStringLiteral("safe")).toBool(false);
    j.solves = o.value(QStringLiteral("solves")).toInt(1);
    const QJsonObject touch = envelope.value(QStringLiteral("touch")).toObject();
    const QJsonObject step = envelope.value(QStringLiteral("step")).toObject();
    j.touchShare = share(touch);
    j.stepShare = share(step);
    j.touchVoltage = touch.value(QStringLiteral("voltage")).toDouble();
    j.touchTolerable = touch.value(QStringLiteral("tolerable")).toDouble();
    j.stepVoltage = step.value(QStringLiteral("voltage")).toDouble();
    j.stepTolerable = step.value(QStringLiteral("tolerable")).toDouble();
    for (const QJsonValue &c : o.value(QStringLiteral("cases")).toArray())
        if (c.toObject().value(QStringLiteral("name")) == touch.value(QStringLiteral("case")))
            j.gpr = c.toObject().value(QStringLiteral("gpr")).toDouble();
    return j;
}
