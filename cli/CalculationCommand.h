#pragma once

#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "core/errors.h"

#include <cstdio>
#include <string>

// What every calculating subcommand does, in one place: parse its options, read them
// into the calculation's input, calculate, and either word the refusal on standard error
// (status 1) or write the result as text or JSON (status 0). A subcommand says only what
// differs: its options, its input, its calculation and its two ways of writing.
template <class Input, class Result> class CalculationCommand {
public:
    virtual ~CalculationCommand() = default;

    int run(const QStringList &arguments) const {
        CliOptions options(m_name, m_description);
        addOptions(options);
        options.addFormat();
        if (options.parse(arguments))
            return 0;
        const Input input = read(options);
        const QString refused = refusedInput(input);
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(refused));
            return 1;
        }
        const tav::Refusable<Result> outcome = calculate(input);
        if (outcome.refused()) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(CliStrings::wording().refusal(outcome.refusal())));
            return 1;
        }
        const std::string written = options.format() == CliOptions::Format::Json
                                        ? json(outcome.result())
                                        : text(outcome.result());
        std::fputs(written.c_str(), stdout);
        return 0;
    }

protected:
    CalculationCommand(QString name, QString description)
        : m_name(std::move(name)), m_description(std::move(description)) {}

    virtual void addOptions(CliOptions &options) const = 0;
    // Throws UsageError for options that do not make an input.
    virtual Input read(const CliOptions &options) const = 0;
    // What refuses an input before the calculation sees it (a document that cannot be
    // read), worded; empty for none.
    virtual QString refusedInput(const Input &) const { return QString(); }
    virtual tav::Refusable<Result> calculate(const Input &input) const = 0;
    virtual std::string text(const Result &result) const = 0;
    virtual std::string json(const Result &result) const = 0;

private:
    QString m_name;
    QString m_description;
};
