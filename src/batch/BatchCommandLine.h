#pragma once

#include "batch/BatchOptions.h"

#include <QString>
#include <QStringList>

// The command line of trellica-batch: its options, their checks and the help.
class BatchCommandLine {
public:
    BatchCommandLine() = delete;

    enum class Action { Run, ShowHelp, ShowVersion, ListNetworks, UsageError };

    struct Parsed {
        Action action = Action::Run;
        BatchOptions options;
        QString error; // for a usage error: what was wrong, one line
    };

    // The arguments as main received them, program name first.
    static Parsed Parse(const QStringList& arguments);
    // The full help with examples.
    static QString HelpText();
    // The set's networks as a table: id, name, size, shape, byte limit.
    static QString NetworkTable(const NetworkSet& set);
    // The short hint after a usage error.
    static QString UsageHint();
    // Pictures made at once without --jobs.
    static int DefaultJobs();
};
