#pragma once
#include "rotorbobrules.h"
#include "store/records.h"
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

// The test information as the dialogs hold it: texts as typed, turned into
// stored rows only when the test is stored.
namespace TestInfoEntry {

inline constexpr int AdditiveRows = 10;      // data rows of the additives grid
inline constexpr int TextColumnWidth = 40;   // short text columns of the store
inline constexpr int NotesColumnWidth = 1000;

// One data row of the additives grid, as typed.
struct AdditiveCells
{
    QString name;
    QString concentration;
    QString unit;
    QString lotNo;
};

struct Texts
{
    QString testName;
    QString fluidId;
    QString testDate;
    QString researcherName;
    QString rotorNo;
    QString bobNo;
    QString bobRadius;
    QString bobLength;
    QString preTestPH;
    QString postTestPH;
    QString safety;
    QVector<AdditiveCells> additives;   // grid rows 1 to 10, in order
};

// Defaults of a new entry (today's date in the short date form).
Texts entryDefaults();

// The additives to store: grid rows from the first down while the name cell
// is not empty, at most ten; the concentration by its leading number.
// testId becomes the owning key of every row.
QVector<TestAdditiveRow> additiveRows(const QVector<AdditiveCells> &cells, qint64 testId = 0);

// The TEST_INFO row to store: texts as typed, numbers by their leading
// number. testId stays 0 and testTime invalid (the store fills both).
TestInfoRow infoRow(const Texts &texts);

// Why an entry or an edit cannot be accepted.
enum class Refusal {
    None,
    RotorBobKey,     // rotor/bob combination outside the table
    DuplicateName,   // the name is already stored (exact, case-sensitive)
    EmptyName,
    InputError,      // anything else: texts too long for the store, names unreadable
};
QString message(Refusal refusal);

struct EntryCheck
{
    Refusal refusal = Refusal::None;
    // Set as soon as the rotor/bob key is valid, also when a later check
    // refuses the entry.
    std::optional<RotorBobRules::Combination> rotorBob;

    bool accepted() const { return refusal == Refusal::None; }
    QString message() const { return TestInfoEntry::message(refusal); }
};

// The checks of the entry OK, in order: rotor/bob key, name against the
// stored names, empty name, texts fitting the store. usedNames is empty
// optional when the stored names could not be read.
EntryCheck checkEntry(const Texts &texts, const std::optional<QStringList> &usedNames);

// The checks of the edit Save: empty name, texts fitting the store.
Refusal checkEdit(const Texts &texts);

// Whether every text fits its column (40 characters, notes 1000).
bool fitsStore(const Texts &texts);

// The dialog texts of a stored test: numbers in their shortest exact form,
// the date in the short date form.
QString numberText(double value);
Texts textsOf(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives);

} // namespace TestInfoEntry
