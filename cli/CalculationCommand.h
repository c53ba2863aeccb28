#pragma once

#include "cli/CliOptions.h"
#include "cli/CliStrings.h"
#include "cli/ReportOutput.h"
#include "core/errors.h"

#include <cstdio>
#include <string>

// What every calculating subcommand does, in one place: parse its options, read them
// into the calculation's input, calculate, and either word the refusal on standard error
// (status 1) or write the result as text or JSON (status 0), and, for a study with a
// report, the report as a PDF when --pdf asks for it. A subcommand says only what differs:
// its options, its input, its calculation, its two ways of writing and its report.
template <class Input, class Result> class CalculationCommand {
public:
    virtual ~CalculationCommand() = default;

    int run(const QStringList &arguments) const {
        CliOptions options(m_name, m_description);
        addOptions(options);
        options.addFormat(writesCsv());
        if (writesReport())
            ReportOutput::addOptions(options);
        if (options.parse(arguments))
            return 0;
        const bool pdf = writesReport() && ReportOutput::wanted(options, inputFiles(options));
        const Input input = read(options);
        const QString refused = refusedInput(input);
        if (!refused.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(refused));
            return 1;
        }
        const tav::Refusable<Result> outcome = calculate(input);
        if (outcome.refused()) {
            std::fprintf(stderr, "%s\n", qPrintable(refusal(input, outcome.refusal())));
            return 1;
        }
        if (pdf) {
            const int status = ReportOutput::write(
                options,
                [&](const StudyHeader &header, const StudyTexts &t) {
                    return report(input, outcome.result(), header, t);
                },
                inputFiles(options));
            if (status != 0)
                return status;
        }
        if (const int status = writeFiles(input, outcome.result()); status != 0)
            return status;
        const CliOptions::Format format = options.format();
        const std::string written = format == CliOptions::Format::Json  ? json(outcome.result())
                                    : format == CliOptions::Format::Csv ? csv(outcome.result())
                                                                        : text(outcome.result());
        std::fputs(written.c_str(), stdout);
        return status(outcome.result());
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
    // The calculation's refusal in words; a subcommand may say where in its input it lies.
    virtual QString refusal(const Input &, const tav::Refusal &refusal) const {
        return CliStrings::wording().refusal(refusal);
    }
    virtual std::string text(const Result &result) const = 0;
    virtual std::string json(const Result &result) const = 0;
    // A command whose result is one table also writes it as CSV (--format csv).
    virtual bool writesCsv() const { return false; }
    virtual std::string csv(const Result &result) const { return text(result); }
    // The files the command reads, as its options give them (- for standard input): its
    // report is never written over them.
    virtual QStringList inputFiles(const CliOptions &) const { return {}; }
    // Files the command writes besides its report (a drawing), after the calculation: 0, or
    // the exit status once it has said on standard error why not.
    virtual int writeFiles(const Input &, const Result &) const { return 0; }
    // The exit status once the result is written: a result that answers "no" (a design
    // that finds no passing layout) may end in 1.
    virtual int status(const Result &) const { return 0; }
    // A study with a report takes --pdf and --site.
    virtual bool writesReport() const { return false; }
    virtual Report report(const Input &, const Result &, const StudyHeader &,
                          const StudyTexts &) const {
        return {};
    }

private:
    QString m_name;
    QString m_description;
};
