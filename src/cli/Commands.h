#pragma once

#include <QStringList>

// The commands of irvata-cli; each takes the arguments after its name and returns the exit
// status.
int RunInfo(const QStringList& args);
int RunDump(const QStringList& args);
int RunConvert(const QStringList& args);
int RunGenerate(const QStringList& args);
int RunCheck(const QStringList& args);
int RunRender(const QStringList& args);
int RunPumps(const QStringList& args);
int RunReducers(const QStringList& args);
int RunReport(const QStringList& args);
int RunTransform(const QStringList& args);
int RunSplit(const QStringList& args);
int RunMerge(const QStringList& args);
int RunPrint(const QStringList& args);
int RunRenumber(const QStringList& args);
int RunNumbers(const QStringList& args);
int RunStats(const QStringList& args);
int RunDevices(const QStringList& args);
int RunCalc(const QStringList& args);
int RunExportInp(const QStringList& args);
