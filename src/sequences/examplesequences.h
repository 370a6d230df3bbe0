#pragma once
#include <QStringList>

class clsConnection;

// A few ready-made test sequences for a new station database; the short
// "Quick demo" also serves the end-to-end checks. Sequences already stored
// under these names are left alone. Returns the names added.
QStringList seedExampleSequences(clsConnection *connection);
