#pragma once
// Outside programs: started without waiting, found and ended by the file they run.
#include <QList>
#include <QString>
#include <QStringList>

namespace orv::process {

// Starts the program on its own (it outlives this one). False when it could not start.
bool StartDetached(const QString &program, const QStringList &arguments = {},
                   const QString &workingDirectory = {});

// The running processes whose program is this very file: a binary by the file the process
// executes, a script by the script file its interpreter runs. A program of the same name
// in another folder is not one of them.
QList<qint64> ProcessesOf(const QString &programPath);

// Ends every process of ProcessesOf: asked to stop first, killed when still there after
// graceMs. Returns how many it found. Processes it may not end are passed over.
int EndProcessesOf(const QString &programPath, int graceMs = 1000);

}  // namespace orv::process
