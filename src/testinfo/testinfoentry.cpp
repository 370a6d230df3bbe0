#include "testinfoentry.h"
#include "sequences/leadingnumber.h"
#include <QDate>
#include <QLocale>

namespace TestInfoEntry {

namespace {
QString shortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}
} // namespace

Texts entryDefaults()
{
    Texts t;
    t.testDate = shortDate(QDate::currentDate());
    t.researcherName = QStringLiteral("Unknown");
    t.rotorNo = QStringLiteral("R1");
    t.bobNo = QStringLiteral("B1");
    t.bobRadius = QStringLiteral("1.7245");
    t.bobLength = QStringLiteral("3.8");
    t.preTestPH = QStringLiteral("7.0");
    t.postTestPH = QStringLiteral("7.0");
    t.additives.resize(AdditiveRows);
    return t;
}

QVector<TestAdditiveRow> additiveRows(const QVector<AdditiveCells> &cells, qint64 testId)
{
    QVector<TestAdditiveRow> rows;
    const int last = std::min<int>(AdditiveRows, int(cells.size()));
    for (int i = 0; i < last; ++i) {
        const AdditiveCells &c = cells.at(i);
        if (c.name.isEmpty())
            break;
        TestAdditiveRow row;
        row.testId = testId;
        row.additiveName = c.name;
        row.concentration = leadingNumber(c.concentration);
        row.unit = c.unit;
        row.lotNo = c.lotNo;
        rows.append(row);
    }
    return rows;
}

TestInfoRow infoRow(const Texts &t)
{
    TestInfoRow row;
    row.testTime = QDateTime();
    row.testName = t.testName;
    row.fluidId = t.fluidId;
    row.researcherName = t.researcherName;
    row.rotorNo = t.rotorNo;
    row.bobNo = t.bobNo;
    row.bobRadius = leadingNumber(t.bobRadius);
    row.bobEffLength = leadingNumber(t.bobLength);
    row.pretestPH = leadingNumber(t.preTestPH);
    row.posttestPH = leadingNumber(t.postTestPH);
    row.safety = t.safety;
    return row;
}

QString message(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return {};
    case Refusal::RotorBobKey:
        return QStringLiteral("Rotor Bob Input error. Make sure inputs start at first space and correct.");
    case Refusal::DuplicateName:
        return QStringLiteral("Duplicate test name. Please input unique test name.");
    case Refusal::EmptyName:
        return QStringLiteral("Please input a unique test name for valid input.");
    case Refusal::InputError:
        return QStringLiteral("Input error. Please check inputs.");
    }
    return {};
}

bool fitsStore(const Texts &t)
{
    for (const QString *text : {&t.testName, &t.fluidId, &t.researcherName, &t.rotorNo, &t.bobNo}) {
        if (text->size() > TextColumnWidth)
            return false;
    }
    if (t.safety.size() > NotesColumnWidth)
        return false;
    // Only the rows that will be stored matter.
    for (const TestAdditiveRow &row : additiveRows(t.additives)) {
        if (row.additiveName.size() > TextColumnWidth || row.unit.size() > TextColumnWidth
            || row.lotNo.size() > TextColumnWidth)
            return false;
    }
    return true;
}

EntryCheck checkEntry(const Texts &texts, const std::optional<QStringList> &usedNames)
{
    EntryCheck check;
    check.rotorBob = RotorBobRules::combinationFor(texts.rotorNo, texts.bobNo);
    if (!check.rotorBob) {
        check.refusal = Refusal::RotorBobKey;
        return check;
    }
    if (!usedNames) {
        check.refusal = Refusal::InputError;
        return check;
    }
    if (usedNames->contains(texts.testName, Qt::CaseSensitive)) {
        check.refusal = Refusal::DuplicateName;
        return check;
    }
    if (texts.testName.isEmpty()) {
        check.refusal = Refusal::EmptyName;
        return check;
    }
    if (!fitsStore(texts))
        check.refusal = Refusal::InputError;
    return check;
}

Refusal checkEdit(const Texts &texts)
{
    if (texts.testName.isEmpty())
        return Refusal::EmptyName;
    if (!fitsStore(texts))
        return Refusal::InputError;
    return Refusal::None;
}

QString numberText(double value)
{
    return QString::number(value, 'g', 15);
}

Texts textsOf(const TestInfoRow &info, const QVector<TestAdditiveRow> &additives)
{
    Texts t;
    t.testName = info.testName;
    t.fluidId = info.fluidId;
    t.testDate = shortDate(info.testTime.date());
    t.researcherName = info.researcherName;
    t.rotorNo = info.rotorNo;
    t.bobNo = info.bobNo;
    t.bobRadius = numberText(info.bobRadius);
    t.bobLength = numberText(info.bobEffLength);
    t.preTestPH = numberText(info.pretestPH);
    t.postTestPH = numberText(info.posttestPH);
    t.safety = info.safety;
    t.additives.resize(AdditiveRows);
    for (int i = 0; i < std::min<int>(AdditiveRows, int(additives.size())); ++i) {
        const TestAdditiveRow &a = additives.at(i);
        t.additives[i] = AdditiveCells{a.additiveName, numberText(a.concentration), a.unit, a.lotNo};
    }
    return t;
}

} // namespace TestInfoEntry
