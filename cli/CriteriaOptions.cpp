#include "cli/CriteriaOptions.h"

namespace {

const QString kCriteria = QStringLiteral("criteria");
const QString kFootwear = QStringLiteral("footwear");
const QString kBody = QStringLiteral("body"); // the commands' own option, IEEE Std 80's

} // namespace

namespace CriteriaOptions {

void add(CliOptions &options) {
    options.addValue(kCriteria, QStringLiteral("ieee80|en50522"),
                     QStringLiteral("Whose limits: IEEE Std 80-2013's tolerable touch and step "
                                    "voltages (default), or EN 50522:2010's permissible touch "
                                    "voltage, which sets no step limit."));
    options.addValue(kFootwear, QStringLiteral("ohm"),
                     QStringLiteral("EN 50522's footwear resistance R_F1 (default 1000; 0 for "
                                    "bare feet)."));
}

tav::Criteria criteria(const CliOptions &options) {
    const QString given = options.value(kCriteria);
    tav::Criteria criteria = tav::Criteria::Ieee80;
    if (given == QLatin1String("en50522"))
        criteria = tav::Criteria::En50522;
    else if (!given.isEmpty() && given != QLatin1String("ieee80"))
        throw UsageError("--criteria: '" + given.toStdString() + "' is neither ieee80 nor en50522");
    // IEEE Std 80's limits stand on bare feet on the ground; a footwear would be ignored.
    if (criteria == tav::Criteria::Ieee80 && options.isSet(kFootwear))
        throw UsageError("--footwear goes with --criteria en50522");
    // EN 50522's permissible touch voltage is one curve for every body: a weight given
    // would be ignored without a word.
    if (criteria == tav::Criteria::En50522 && options.isSet(kBody))
        throw UsageError("--body goes with --criteria ieee80: EN 50522's limit takes no body "
                         "weight");
    return criteria;
}

double footwear(const CliOptions &options) {
    return options.number<double>(kFootwear, 1000);
}

const char *name(tav::Criteria criteria) {
    return criteria == tav::Criteria::En50522 ? "en50522" : "ieee80";
}

} // namespace CriteriaOptions
