#include "frmRealTime.h"
#include "frmNameSeq.h"
#include "livechart.h"
#include "realtime/bytetransport.h"
#include "realtime/instrumentlink.h"
#include "realtime/runsequence.h"
#include "rheology/resultstablemodel.h"
#include "sequences/portmap.h"
#include "sequences/stationsettings.h"
#include "sequences/ui/prompter.h"
#include "store/storeerror.h"
#include "testinfo/testinfostore.h"
#include "testinfo/ui/frmTestRelatedInfo.h"
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <cmath>
#include <exception>

namespace {
const QString kSaveError = QStringLiteral(
    "Error in save to a new name. Please make sure that the name is not used and try again.");
}

frmRealTime::frmRealTime(int unit, clsConnection *connection, Clock &clock, std::shared_ptr<Prompter> prompter,
                         QWidget *parent)
    : QWidget(parent),
      m_unit(unit),
      m_connection(connection),
      m_prompter(prompter ? std::move(prompter) : std::make_shared<DialogPrompter>()),
      m_link(std::make_unique<InstrumentLink>(clock)),
      m_engine(std::make_unique<RunEngine>(unit, connection, *m_link, clock))
{
    setObjectName(QStringLiteral("frmRealTime"));
    m_link->setObjectName(QStringLiteral("MSComm1"));
    setWindowTitle(QStringLiteral("%1 Real Time Test").arg(unitName()));
    buildControls();
    // The new link starts on combination 1 (factor 0.58744); other units keep theirs.
    m_results->SetResultsGridHeader();
    ElapsedTime->setText(QStringLiteral("Elapsed Time: ") + m_engine->elapsedText());

    connect(cmdSelect, &QPushButton::clicked, this, &frmRealTime::cmdSelect_Click);
    connect(cmdStart_Stop, &QPushButton::clicked, this, &frmRealTime::cmdStart_Stop_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmRealTime::cmdExit_Click);
    txtTempSetPoint->installEventFilter(this);
    connectEngine();
}

frmRealTime::~frmRealTime()
{
    // A window torn down with its console still leaves the instrument stopped.
    stopTest();
    Form_Unload();
}

QString frmRealTime::unitName() const
{
    return QStringLiteral("Unit %1").arg(m_unit);
}

void frmRealTime::connectEngine()
{
    connect(m_link.get(), &InstrumentLink::readingReceived, this, &frmRealTime::onReading);
    connect(m_engine.get(), &RunEngine::statusChanged, lblActiveFlag, &QLabel::setText);
    connect(m_engine.get(), &RunEngine::runStateChanged, this, &frmRealTime::onRunStateChanged);
    connect(m_engine.get(), &RunEngine::progressChanged, this, &frmRealTime::onProgress);
    connect(m_engine.get(), &RunEngine::sampleStored, CWGraph1, &LiveChart::addSample);
    connect(m_engine.get(), &RunEngine::resultsChanged, this, [this](const rheology::RampUpdate &u) {
        m_results->showResults(u.lastRamp, u.anyResult, u.changed, m_results->unitSystem());
    });
    connect(m_engine.get(), &RunEngine::faultRaised, this, &frmRealTime::onFault);
    connect(m_engine.get(), &RunEngine::faultCleared, this, &frmRealTime::onFaultCleared);
}

bool frmRealTime::OpenPort(const StationSettings &settings, const PortMap &ports, QString *error)
{
    if (m_link->OpenPort(m_unit, settings, ports))
        return true;
    if (error)
        *error = m_link->lastErrorString();
    return false;
}

bool frmRealTime::openTransport(std::unique_ptr<ByteTransport> transport, QString *error)
{
    if (m_link->attachTransport(std::move(transport)))
        return true;
    if (error)
        *error = m_link->lastErrorString();
    return false;
}

void frmRealTime::stopTest()
{
    if (m_engine->isRunning())
        m_engine->ShutDown();
}

void frmRealTime::inform(const QString &text)
{
    m_prompter->inform(this, windowTitle(), text);
}

// --- Sequence ------------------------------------------------------------

void frmRealTime::cmdSelect_Click()
{
    if (m_picker) {
        m_picker->raise();
        m_picker->activateWindow();
        return;
    }
    m_picker = new frmNameSeq(m_connection, this);
    m_picker->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_picker, &frmNameSeq::SelectedTestName, this, &frmRealTime::cfNameSeq_SelectedTestName);
    m_picker->show();
}

void frmRealTime::cfNameSeq_SelectedTestName(const QString &name)
{
    // An empty pick (no sequence stored) keeps the previous choice.
    if (!name.isEmpty()) {
        m_sequenceName = name;
        lblSelectSeq->setText(name);
    }
    if (m_picker)
        m_picker->close();
    clearResults();
}

void frmRealTime::clearResults()
{
    CWGraph1->clearData();
    m_results->resetToHeader();
    m_results->setRampRowCount(1);
}

// --- Start and stop --------------------------------------------------------

void frmRealTime::cmdStart_Stop_Click()
{
    if (cmdStart_Stop->text() != QLatin1String("Start")) {
        m_engine->ShutDown();
        return;
    }
    if (m_sequenceName.isEmpty() || m_entry)
        return;
    // A sequence that cannot run is refused before anything is asked or stored.
    QString problem;
    try {
        const RunSequenceLoad load = loadRunSequence(m_connection, m_sequenceName);
        problem = load.found ? load.sequence.problem()
                             : QStringLiteral("The test sequence \"%1\" is not stored.").arg(m_sequenceName);
    } catch (const StoreError &e) {
        problem = QStringLiteral("The test sequence could not be read: %1").arg(e.description());
    }
    if (!problem.isEmpty()) {
        inform(problem);
        return;
    }
    m_entry = new frmTestRelatedInfo(m_connection, this);
    m_entry->setWindowTitle(QStringLiteral("Input Test Information"));
    frmTestRelatedInfo *entry = m_entry;
    connect(entry, &QDialog::finished, this, [this, entry] {
        m_entry = nullptr;
        entryFinished(entry);
        entry->deleteLater();
    });
    entry->open();
}

void frmRealTime::entryFinished(frmTestRelatedInfo *entry)
{
    if (entry->mlCanceled)
        return;
    const TestInfoEntry::Texts texts = entry->texts();
    const QString previousName = lblTestName->text();
    lblTestName->setText(texts.testName);

    // The test row and its additives go in together or not at all.
    TestInfoRow info;
    try {
        TestInfoStore store(m_connection);
        const qint64 id = store.createTest(texts);
        const std::optional<TestInfoStore::StoredTest> stored = store.load(id);
        if (!stored)
            throw StoreError(StoreError::Code::Statement, 0, QStringLiteral("the new test was not found"));
        info = stored->info;
    } catch (const std::exception &) {
        lblTestName->setText(previousName);
        inform(kSaveError);
        return;
    }

    // The combination entered belongs to this unit only.
    const RotorBobPair previousPair = m_link->rotorBob();
    if (const auto combination = entry->rotorBob())
        m_link->setRotorBob(RotorBobPair{combination->combination, combination->factor});

    QString error;
    if (!m_engine->StartTest(m_sequenceName, info, &error)) {
        m_link->setRotorBob(previousPair);
        lblTestName->setText(previousName);
        // A test that never started leaves no record behind.
        try {
            TestInfoStore(m_connection).remove(info.testName);
        } catch (const std::exception &e) {
            error += QStringLiteral("\nThe test record \"%1\" could not be removed: %2")
                         .arg(info.testName, QString::fromUtf8(e.what()));
        }
        inform(error);
        return;
    }
    clearResults();
    onProgress();
}

void frmRealTime::onRunStateChanged()
{
    const bool running = m_engine->isRunning();
    cmdStart_Stop->setText(running ? QStringLiteral("Stop") : QStringLiteral("Start"));
    cmdExit->setEnabled(!running);
    // The chosen sequence stays put while it runs.
    cmdSelect->setEnabled(!running);
    if (!running) {
        ReadoutTexts idle = ReadoutTexts::idle();
        idle.pH = txtpH->text();
        showReadouts(idle);
        m_faults.clear();
        lblFault->clear();
    }
    onProgress();
}

void frmRealTime::onProgress()
{
    ElapsedTime->setText(QStringLiteral("Elapsed Time: ") + m_engine->elapsedText());
    if (!m_engine->isRunning()) {
        lblProgress->clear();
        return;
    }
    const int steps = int(m_engine->sequence().steps.size());
    QString text = QStringLiteral("Step %1 of %2").arg(qMin(m_engine->step(), steps)).arg(steps);
    if (m_engine->mode() == RunEngine::Mode::ShearRamp)
        text += QStringLiteral(", ramp step %1 of %2")
                    .arg(m_engine->rampStep())
                    .arg(m_engine->sequence().rampRates.size());
    text += QStringLiteral("   Started %1, planned end %2   ").arg(m_engine->startText(), m_engine->endText());
    lblProgress->setText(text);
}

void frmRealTime::onFault(RunEngine::Fault fault, const QString &message)
{
    m_faults.insert(fault, message);
    lblFault->setText(QStringList(m_faults.values()).join(QLatin1Char('\n')));
}

void frmRealTime::onFaultCleared(RunEngine::Fault fault)
{
    m_faults.remove(fault);
    lblFault->setText(QStringList(m_faults.values()).join(QLatin1Char('\n')));
}

// --- Read-outs -------------------------------------------------------------

double frmRealTime::currentSetPoint() const
{
    const QVector<RunStep> &steps = m_engine->sequence().steps;
    const int index = m_engine->step() - 1;
    return index >= 0 && index < steps.size() ? steps.at(index).setPointF : 0.0;
}

void frmRealTime::onReading()
{
    showReadouts(ReadoutTexts::fromReading(m_link->latestReading(), currentSetPoint()));
}

void frmRealTime::showReadouts(const ReadoutTexts &t)
{
    txtSpeed->setText(t.speed);
    txtShearRate->setText(t.shearRate);
    txtShearStress->setText(t.shearStress);
    txtVisc->setText(t.viscosity);
    txtpH->setText(t.pH);
    txtSampleTemp->setText(t.sampleTemp);
    // Not while the operator is typing over it.
    if (!txtTempSetPoint->isModified())
        txtTempSetPoint->setText(t.tempSetPoint);
}

bool frmRealTime::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtTempSetPoint && event->type() == QEvent::FocusOut)
        txtTempSetPoint_LostFocus();
    return QWidget::eventFilter(watched, event);
}

void frmRealTime::txtTempSetPoint_LostFocus()
{
    // The set-point comes from the sequence: the question changes nothing
    // and nothing is sent; the box shows the running set-point again.
    if (!txtTempSetPoint->isModified())
        return;
    txtTempSetPoint->setModified(false);
    m_prompter->confirm(this, QStringLiteral("Change Confirmation."),
                        QStringLiteral("Do you reall want to change the temperature setpoint? "),
                        [this](bool) {
                            txtTempSetPoint->setText(m_engine->isRunning()
                                                         ? ReadoutTexts::fromReading({}, currentSetPoint()).tempSetPoint
                                                         : ReadoutTexts::idle().tempSetPoint);
                        });
}

// --- Closing ---------------------------------------------------------------

void frmRealTime::cmdExit_Click()
{
    closeHost();
}

void frmRealTime::closeHost()
{
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void frmRealTime::closeEvent(QCloseEvent *event)
{
    if (m_engine->isRunning()) {
        event->ignore();
        if (m_closeAsked)
            return;
        m_closeAsked = true;
        m_prompter->confirm(this, windowTitle(),
                            QStringLiteral("A test is running on %1. Stop the test and close the window?")
                                .arg(unitName()),
                            [this](bool ok) {
                                m_closeAsked = false;
                                if (!ok)
                                    return;
                                stopTest();
                                // Close again once this answer has returned.
                                QTimer::singleShot(0, this, &frmRealTime::closeHost);
                            });
        return;
    }
    Form_Unload();
    event->accept();
}

void frmRealTime::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_picker)
        m_picker->close();
    m_link->ClosePort();
    emit unloaded(m_unit);
}
