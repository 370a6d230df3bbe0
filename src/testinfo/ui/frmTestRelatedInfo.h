#pragma once
#include "testinfo/rotorbobrules.h"
#include "testinfoform.h"
#include <QStringList>
#include <optional>

class clsConnection;
class QTableWidget;

// The test information entered when a unit starts a test. The dialog checks
// the rotor/bob combination and the name and stores nothing: after a
// successful OK (mlCanceled false) the opener reads texts() and rotorBob()
// and stores the test with TestInfoStore::createTest.
class frmTestRelatedInfo : public TestInfoForm
{
    Q_OBJECT
public:
    explicit frmTestRelatedInfo(clsConnection *connection, QWidget *parent = nullptr);

    // The combination of the last OK whose rotor/bob key was valid, also when
    // a later check refused that OK; nothing before such an OK.
    std::optional<RotorBobRules::Combination> rotorBob() const { return m_rotorBob; }

    // Stored tests (name, time, researcher), newest first; kept hidden.
    QTableWidget *MSFlexGrid2;

protected:
    void okClicked() override;

private:
    void loadUsedNames();

    clsConnection *m_connection;
    std::optional<QStringList> m_usedNames;   // nothing when they could not be read
    std::optional<RotorBobRules::Combination> m_rotorBob;
};
