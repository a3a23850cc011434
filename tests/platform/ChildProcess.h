#pragma once

#include <QProcess>
#include <QStringList>
#include <memory>

// Another process for the tests that need one ("another user"): this test
// program started again with a role to play. Roles:
//   write-ini PATH SECTION KEY VALUE   writes the value, exit status 0 on success
//   read-ini PATH SECTION KEY          prints the value on stdout
//   hold-table DIR FILE                opens the table, prints "held" (or "busy"),
//                                      keeps it until a line arrives on stdin
//   try-table DIR FILE                 prints "opened" or "busy"
// The process has started when this returns.
std::unique_ptr<QProcess> startChild(const QString& role, const QStringList& arguments);

// Runs a role to its end; its standard output, trimmed.
QString runChild(const QString& role, const QStringList& arguments);
