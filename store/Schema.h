#pragma once

namespace store {

class Database;

// The layout version this program writes and reads, kept in the file's user_version. Every store written
// before versions were kept (and every converted Jet file) has 0, which has the same layout as 1.
constexpr int schemaVersion = 1;

// Creates the order table, its index and the version mark in one transaction.
void createSchema(Database& db);

// Throws StoreError (NewerVersion, naming the file) when the file was written by a newer program: nothing
// may read or write it.
void refuseNewer(Database& db);

// Throws StoreError (WrongTable, naming the file) when the order table or one of its columns is missing.
void requireOrderTable(Database& db);

// True when the file's version is older than schemaVersion.
bool needsUpgrade(Database& db);

// Brings an older file to schemaVersion in one transaction: each step after the one before, then the new
// version mark. Nothing is changed when a step fails.
void upgrade(Database& db);

} // namespace store
