#pragma once
// The point server's month tables (PanChitT, PanListT, CstWnjgT, PosLogs + yymm), made on
// goDbTs when missing. The shared CstCode there is not the program's to make.
// Errors go to the caller as DbError; a table another shop made between probe and create
// counts as made.
#include <QString>
#include <QStringList>
#include <cstdint>

// yymm 0 or less does nothing; otherwise the four tables of the month, in that order.
void CreateTsTables(int16_t yymm);
// CreateTsTables once per month while the connection stays open: the member-chit copy
// calls it for every chit, and only the first of a month probes.
void EnsureTsMonth(int16_t yymm);
// Forgets which months were made (a new connection to the point server).
void ForgetTsMonths();

void EnsureTsPanChitTTable(int16_t yymm);
void EnsureTsPanListTTable(int16_t yymm);
void EnsureTsCstWnjgTTable(int16_t yymm);
void EnsureTsPosLogsTable(int16_t yymm);
int16_t ExistsTsPanChitTTable(int16_t yymm);
int16_t ExistsTsPanListTTable(int16_t yymm);
int16_t ExistsTsCstWnjgTTable(int16_t yymm);
int16_t ExistsTsPosLogsTable(int16_t yymm);
// The statements that make the table with its key, for the point server's engine.
QStringList BuildTsPanChitTTable(int16_t yymm);
QStringList BuildTsPanListTTable(int16_t yymm);
QStringList BuildTsCstWnjgTTable(int16_t yymm);
QStringList BuildTsPosLogsTable(int16_t yymm);
// 1 when the point server has a user table of that name, else 0.
int16_t TsTableExists(const QString &name);
