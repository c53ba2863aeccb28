#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

// A command line that cannot be carried out as written; tav-calc ends with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options of one tav-calc subcommand, read strictly: a value must be wholly a number
// within the range of the field it stands for, or the option is named in a UsageError.
class CliOptions {
public:
    enum class Format { Text, Json, Csv };

    CliOptions(const QString &command, const QString &description);

    void addValue(const QString &name, const QString &valueName, const QString &help);
    // --format text|json, and csv for a command that writes a table.
    void addFormat(bool csv = false);
    // An option without a value.
    void addFlag(const QString &name, const QString &help);
    // A word the command takes after its name, such as a file.
    void addArgument(const QString &name, const QString &help);
    // Parses the arguments after the subcommand's name; true when help was asked for,
    // which has then been printed.
    bool parse(const QStringList &arguments);

    bool isSet(const QString &name) const { return m_parser.isSet(name); }
    // Throws the UsageError "--name is required" when the option is not given.
    void require(const QString &name) const;
    QStringList arguments() const { return m_parser.positionalArguments(); }
    Format format() const;

    // The option's value as a number (int, float or double), the fallback when it is not
    // given.
    template <class Number> Number number(const QString &name, Number fallback) const;
    // The option's comma-separated values, each a number.
    template <class Number> std::vector<Number> numbers(const QString &name) const;
    QStringList list(const QString &name) const;
    // The option's text as given; empty when it is not.
    QString value(const QString &name) const { return m_parser.value(name); }

    // The one number parser of tav-calc. An int is a whole number within its range; a
    // float any finite number within single precision; a double any number, "inf" and
    // "nan" too, for calculations that refuse what they cannot take.
    template <class Number> static Number parse(const QString &option, const QString &text);

private:
    QCommandLineParser m_parser;
    QString m_command;
    QStringList m_arguments;
    bool m_hasFormat = false;
    bool m_csv = false;
};

template <> int CliOptions::parse<int>(const QString &option, const QString &text);
template <> float CliOptions::parse<float>(const QString &option, const QString &text);
template <> double CliOptions::parse<double>(const QString &option, const QString &text);
