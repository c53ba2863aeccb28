#include "cli/CliOptions.h"

#include "core/NumericText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <type_traits>

namespace {

UsageError invalid(const QString &option, const QString &text, const char *what) {
    return UsageError(QStringLiteral("--%1: '%2' is not %3")
                          .arg(option, text, QLatin1String(what))
                          .toStdString());
}

// The whole text as a number of the type, or nothing. from_chars takes no leading '+'; a
// number written with one is still wholly a number.
template <class Number> std::optional<Number> wholly(const QString &text) {
    std::string digits = text.toStdString();
    if (!digits.empty() && digits.front() == '+' && digits.size() > 1 && digits[1] != '-')
        digits.erase(0, 1);
    Number value{};
    std::from_chars_result result{};
    if constexpr (std::is_integral_v<Number>)
        result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    else
        result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                 std::chars_format::general);
    if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

} // namespace

template <> int CliOptions::parse<int>(const QString &option, const QString &text) {
    const std::optional<int> value = wholly<int>(text);
    if (!value)
        throw invalid(option, text, "a whole number within the range of an integer");
    return *value;
}

template <> float CliOptions::parse<float>(const QString &option, const QString &text) {
    const std::optional<double> value = wholly<double>(text);
    if (!value || !std::isfinite(*value))
        throw invalid(option, text, "a number");
    const float single = tav::NumericText::narrowToSingle(*value);
    if (!std::isfinite(single))
        throw invalid(option, text, "a number within the range of single precision");
    return single;
}

template <> double CliOptions::parse<double>(const QString &option, const QString &text) {
    const std::optional<double> value = wholly<double>(text);
    if (!value)
        throw invalid(option, text, "a number within the range of double precision");
    return *value;
}

template <class Number> Number CliOptions::number(const QString &name, Number fallback) const {
    return isSet(name) ? parse<Number>(name, m_parser.value(name)) : fallback;
}

template <class Number> std::vector<Number> CliOptions::numbers(const QString &name) const {
    std::vector<Number> numbers;
    for (const QString &text : list(name))
        numbers.push_back(parse<Number>(name, text));
    return numbers;
}

template int CliOptions::number<int>(const QString &, int) const;
template float CliOptions::number<float>(const QString &, float) const;
template double CliOptions::number<double>(const QString &, double) const;
template std::vector<float> CliOptions::numbers<float>(const QString &) const;
template std::vector<double> CliOptions::numbers<double>(const QString &) const;

CliOptions::CliOptions(const QString &command, const QString &description) : m_command(command) {
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                          QStringLiteral("Tells these options.")));
}

void CliOptions::addValue(const QString &name, const QString &valueName, const QString &help) {
    m_parser.addOption(QCommandLineOption(name, help, valueName));
}

void CliOptions::addFormat(bool csv) {
    m_hasFormat = true;
    m_csv = csv;
    addValue(QStringLiteral("format"),
             csv ? QStringLiteral("text|json|csv") : QStringLiteral("text|json"),
             QStringLiteral("How to write the result (default: text)."));
}

void CliOptions::addFlag(const QString &name, const QString &help) {
    m_parser.addOption(QCommandLineOption(name, help));
}

void CliOptions::addArgument(const QString &name, const QString &help) {
    m_parser.addPositionalArgument(name, help);
    m_arguments.append(name);
}

bool CliOptions::parse(const QStringList &arguments) {
    QStringList all = arguments;
    all.prepend(QStringLiteral("tav-calc ") + m_command);
    if (!m_parser.parse(all))
        throw UsageError(m_parser.errorText().toStdString());
    if (m_parser.isSet(QStringLiteral("help"))) {
        // Qt's first line names the program file; this one names the command.
        QString help = m_parser.helpText();
        help = help.mid(help.indexOf(QLatin1Char('\n')) + 1);
        std::printf("Usage: tav-calc %s [options]\n%s", qPrintable(m_command), qPrintable(help));
        return true;
    }
    // An option given twice is refused, not silently taken at its last value.
    const QStringList names = m_parser.optionNames();
    for (qsizetype i = 0; i < names.size(); ++i)
        if (names.indexOf(names.at(i), i + 1) >= 0)
            throw UsageError(
                QStringLiteral("--%1 is given more than once").arg(names.at(i)).toStdString());
    const QStringList given = m_parser.positionalArguments();
    if (given.size() > m_arguments.size())
        throw UsageError(QStringLiteral("unexpected argument '%1'")
                             .arg(given.at(m_arguments.size()))
                             .toStdString());
    if (given.size() < m_arguments.size())
        throw UsageError(
            QStringLiteral("%1 is required").arg(m_arguments.at(given.size())).toStdString());
    if (m_hasFormat)
        format(); // a bad --format is a usage error before anything is done
    return false;
}

void CliOptions::require(const QString &name) const {
    if (!isSet(name))
        throw UsageError(QStringLiteral("--%1 is required").arg(name).toStdString());
}

QStringList CliOptions::list(const QString &name) const {
    return m_parser.value(name).split(QLatin1Char(','));
}

CliOptions::Format CliOptions::format() const {
    const QString format = m_parser.value(QStringLiteral("format"));
    if (format.isEmpty() || format == QLatin1String("text"))
        return Format::Text;
    if (format == QLatin1String("json"))
        return Format::Json;
    if (m_csv && format == QLatin1String("csv"))
        return Format::Csv;
    if (m_csv)
        throw UsageError(QStringLiteral("--format: '%1' is none of text, json and csv")
                             .arg(format)
                             .toStdString());
    throw UsageError(
        QStringLiteral("--format: '%1' is neither text nor json").arg(format).toStdString());
}
