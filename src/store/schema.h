#pragma once
#include <QStringList>

// CREATE statements of the six tables, columns in the order every reader
// relies on. Keys are assigned by the database; names are unique; children
// go with their parent.
namespace schema {
QStringList sqliteStatements();
QStringList postgresStatements();
}
