#pragma once

#include "core/TolerableVoltage.h"
#include "core/earthing/EarthingResult.h"
#include "core/earthing/SystemSafety.h"
#include "document/PartLeakage.h"

#include <QByteArray>

#include <string>

namespace tav {

// The result of a solve as JSON, its keys in the order a reader takes them in: the
// resistance first, the searches last; numbers in the shortest form that reads back as
// the same double, null for one without a finite value.
class ResultJson {
public:
    // With leakage, where the current leaves the metal, per part and per conductor, after
    // the groups; with network (an object's JSON), how the fault current shared out, after
    // the resistance and the potential rise it gave.
    static QByteArray write(const earthing::EarthingResult &result,
                            const SystemLeakage *leakage = nullptr,
                            const QByteArray &network = QByteArray());
    // With the tolerable voltage and the verdict of every place judged (the worst touch,
    // each touch area and touch point, the step), the criteria, "safety" as scripts read
    // it before the places were judged apart, and the overall verdict last; a verdict that
    // is no answer (outside the method's range, or no limit set) is null.
    static QByteArray write(const earthing::EarthingResult &result,
                            const earthing::SystemSafety &safety, const SafetyCriteria &criteria,
                            const SystemLeakage *leakage = nullptr,
                            const QByteArray &network = QByteArray());
    // The name of a caution's warning, as the document spells it.
    static const char *warningName(Warning warning);
    // The name of a touch area's kind, as the output spells it: "grid".
    static const char *kindName(earthing::TouchAreaKind kind);
    // A number as the result writes it (null without a finite value), and a name as given,
    // quoted and escaped.
    static QByteArray jsonNumber(double value);
    static QByteArray jsonText(const std::string &value);
    // "key": value, a member of an object the result writes.
    static QByteArray jsonPair(const char *key, const QByteArray &value);

private:
    struct Judged {
        const earthing::SystemSafety &safety;
        const SafetyCriteria &criteria;
    };
    static QByteArray write(const earthing::EarthingResult &result, const Judged *judged,
                            const SystemLeakage *leakage, const QByteArray &network);
    static QByteArray leakageJson(const SystemLeakage &leakage);
};

} // namespace tav
