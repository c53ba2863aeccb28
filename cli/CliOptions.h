#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <stdexcept>

// A command line that cannot be carried out as written; tav-calc ends with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Options of one tav-calc subcommand, read strictly: a value must be wholly a number
// within the range of the field it stands for, or the option is named in a UsageError.
class CliOptions {
public:
    enum class Format { Text, Json };

    CliOptions(const QString &command, const QString &description);

    void addValue(const QString &name, const QString &valueName, const QString &help);
    void addFormat();
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
    int integer(const QString &name, int fallback) const;
    float single(const QString &name, float fallback) const;
    double real(const QString &name, double fallback) const;
    QStringList list(const QString &name) const;
    Format format() const;

    static int parseInteger(const QString &option, const QString &text);
    static float parseSingle(const QString &option, const QString &text);
    // Any double, "inf" and "nan" too, for calculations that refuse what they cannot take.
    static double parseDouble(const QString &option, const QString &text);

private:
    QCommandLineParser m_parser;
    QString m_command;
    QStringList m_arguments;
    bool m_hasFormat = false;
};
