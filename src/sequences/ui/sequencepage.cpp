#include "sequencepage.h"
#include "frmInsertStep.h"
#include "gridediting.h"
#include "prompter.h"
#include "stepbuilderframe.h"
#include "sequences/insertstep.h"
#include "sequences/sequencerules.h"
#include "sequences/sequencestore.h"
#include "sequences/unitsystem.h"
#include "store/storeerror.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

namespace {

const QString kTitle = QStringLiteral("KX720pH Setup");
const QString kNameTitle = QStringLiteral("Input New Test Sequence Name");
const QString kNamePrompt = QStringLiteral("Please input new test sequence name:");

} // namespace

SequencePage::SequencePage(clsConnection *connection, Prompter *prompter, QWidget *parent)
    : QWidget(parent), m_prompter(prompter)
{
    buildLayout();
    connectCommands();
    try {
        m_store = std::make_unique<SequenceStore>(connection);
    } catch (const StoreError &e) {
        m_storeError->setText(QStringLiteral("The test sequences cannot be read: %1").arg(e.text()));
        m_storeError->show();
    }
    fillList();
    showDocument();
}

SequencePage::~SequencePage() = default;

void SequencePage::connectCommands()
{
    connect(m_cmdNew, &QPushButton::clicked, this, &SequencePage::onNew);
    connect(m_cmdSaveas, &QPushButton::clicked, this, &SequencePage::onCopyAs);
    connect(m_cmdDelete, &QPushButton::clicked, this, &SequencePage::onDelete);
    connect(m_cmdSaveChange, &QPushButton::clicked, this, &SequencePage::onSaveChange);
    connect(m_cmdInsertStep, &QPushButton::clicked, this, &SequencePage::onInsertStep);
    connect(m_cmdDeleteStep, &QPushButton::clicked, this, &SequencePage::onDeleteStep);
    connect(m_cmdBuilder, &QPushButton::clicked, this, &SequencePage::onBuilder);
    connect(m_frameRamp, &StepBuilderFrame::built, m_document.steps(), &SequenceStepsModel::replaceSteps);
    connect(m_lstSeqName, &QListWidget::currentItemChanged, this, &SequencePage::showSelected);
    connect(&m_document, &SequenceDocument::loaded, this, &SequencePage::showDocument);

    using Field = SequenceDocument::Field;
    const std::pair<QLineEdit *, Field> edits[] = {
        {m_txtTimeBefRead, Field::TimeBeforeRead}, {m_txtSampleInterval, Field::SampleInterval},
        {m_txtNoSampleAve, Field::SamplePointsAverage}, {m_txtShutDownATime, Field::ShutDownATime},
        {m_txtShutDownVisc, Field::ShutDownVisc}};
    for (const auto &[edit, field] : edits) {
        connect(edit, &QLineEdit::textChanged, this, [this, field = field](const QString &text) {
            if (!m_showing)
                m_document.setField(field, text);
        });
    }
    connect(m_cmbSampleRate, &QComboBox::currentTextChanged, this, [this](const QString &text) {
        if (!m_showing)
            m_document.setField(Field::SampleRate, text);
    });
}

void SequencePage::fillList(const QString &select)
{
    QStringList names;
    if (m_store) {
        try {
            names = m_store->names();
        } catch (const StoreError &e) {
            storeFailed(e);
        }
    }
    {
        const QSignalBlocker block(m_lstSeqName);
        m_lstSeqName->clear();
        m_lstSeqName->addItems(names);
        m_lstSeqName->setCurrentRow(-1);
    }
    const QList<QListWidgetItem *> found = m_lstSeqName->findItems(select, Qt::MatchExactly);
    if (!select.isEmpty() && !found.isEmpty())
        m_lstSeqName->setCurrentItem(found.first());   // shows it
    else
        m_document.clear();
}

void SequencePage::showSelected()
{
    QListWidgetItem *item = m_lstSeqName->currentItem();
    if (!item || !m_store) {
        m_document.clear();
        return;
    }
    try {
        const std::optional<SequenceData> sequence = m_store->load(item->text());
        if (sequence)
            m_document.load(*sequence);
        else
            m_document.clear();
    } catch (const StoreError &e) {
        m_document.clear();
        storeFailed(e);
    }
}

void SequencePage::showDocument()
{
    m_showing = true;
    const SequenceHeader &h = m_document.header();
    m_txtTimeBefRead->setText(h.timeBeforeRead);
    m_txtSampleInterval->setText(h.sampleInterval);
    m_txtNoSampleAve->setText(h.samplePointsAverage);
    m_txtShutDownATime->setText(h.shutDownATime);
    m_txtShutDownVisc->setText(h.shutDownVisc);
    // A rate stored by other means still shows as it is.
    if (m_cmbSampleRate->findText(h.sampleRate) < 0)
        m_cmbSampleRate->addItem(h.sampleRate);
    m_cmbSampleRate->setCurrentText(h.sampleRate);
    m_showing = false;
    m_frameRamp->hide();
    updateEnabled();
}

void SequencePage::updateEnabled()
{
    const bool shown = m_document.hasSequence();
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_cmdSaveas, m_cmdDelete, m_cmdSaveChange, m_cmdInsertStep, m_cmdDeleteStep, m_cmdBuilder,
             m_steps, m_ramp, m_txtTimeBefRead, m_txtSampleInterval, m_cmbSampleRate, m_txtNoSampleAve,
             m_txtShutDownATime, m_txtShutDownVisc})
        w->setEnabled(shown);
    m_cmdNew->setEnabled(m_store != nullptr);
}

void SequencePage::storeFailed(const StoreError &error)
{
    m_prompter->inform(this, kTitle, error.text());
}

void SequencePage::nameStoreFailed(const QString &name, const StoreError &error)
{
    // Another station may have stored the name since it was checked.
    if (error.code() == StoreError::Code::Duplicate)
        m_prompter->inform(this, kNameTitle, SequenceRules::nameProblem(name, true));
    else
        storeFailed(error);
}

bool SequencePage::nameUsable(const QString &name)
{
    const QString problem = SequenceRules::nameProblem(name, m_store->exists(name));
    if (problem.isEmpty())
        return true;
    m_prompter->inform(this, kNameTitle, problem);
    return false;
}

void SequencePage::onNew()
{
    if (!m_store)
        return;
    m_prompter->askText(this, kNameTitle, kNamePrompt, [this](std::optional<QString> typed) {
        if (typed)
            createNamed(*typed);
    });
}

void SequencePage::createNamed(const QString &typed)
{
    const QString name = SequenceRules::cleanName(typed);
    if (name.isEmpty())
        return;
    try {
        if (!nameUsable(name))
            return;
        m_store->create(name);
    } catch (const StoreError &e) {
        nameStoreFailed(name, e);
        return;
    }
    fillList(name);
}

void SequencePage::onCopyAs()
{
    if (!m_document.hasSequence())
        return;
    const QString source = m_document.name();
    m_prompter->askText(this, kNameTitle, kNamePrompt, [this, source](std::optional<QString> typed) {
        if (typed)
            copyNamed(source, *typed);
    });
}

void SequencePage::copyNamed(const QString &source, const QString &typed)
{
    const QString name = SequenceRules::cleanName(typed);
    if (name.isEmpty())
        return;
    try {
        if (!nameUsable(name))
            return;
        // The stored sequence is copied, as on selecting it.
        const std::optional<SequenceData> stored = m_store->load(source);
        if (!stored)
            return;
        m_store->copyAs(*stored, name);
    } catch (const StoreError &e) {
        nameStoreFailed(name, e);
        return;
    }
    fillList(name);
}

void SequencePage::onDelete()
{
    if (!m_document.hasSequence())
        return;
    const QString name = m_document.name();
    m_prompter->confirm(this, kTitle, QStringLiteral("Are you sure to delete this test setup and its results?"),
                        [this, name](bool ok) {
        if (!ok)
            return;
        try {
            m_store->remove(name);
        } catch (const StoreError &e) {
            storeFailed(e);
        }
        fillList();
    });
}

void SequencePage::onSaveChange()
{
    if (!m_document.hasSequence())
        return;
    commitOpenEdit();
    const SequenceData sequence = m_document.data();
    const QString problem = SequenceRules::saveProblem(sequence);
    if (!problem.isEmpty()) {
        m_prompter->inform(this, kTitle, problem);
        return;
    }
    try {
        m_store->save(sequence);
    } catch (const StoreError &e) {
        storeFailed(e);
        return;
    }
    m_document.markSaved();
}

void SequencePage::onInsertStep()
{
    if (!m_document.hasSequence())
        return;
    if (!SequenceRules::canInsertStep(m_document.steps()->rowCount())) {
        m_prompter->inform(this, SequenceRules::tooManyStepsTitle(), SequenceRules::tooManyStepsMessage());
        return;
    }
    const int current = m_steps->currentIndex().row();
    const QString stepNo = QString::number(current >= 0 ? current + 1 : 1);
    auto *dialog = new frmInsertStep(UnitSystem::current(), stepNo, m_prompter, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog] {
        if (dialog->mlCanceled)
            return;
        const InsertStepInput input = dialog->input();
        const QVector<SequenceStep> &steps = m_document.steps()->steps();
        const int row = InsertStep::insertRow(input, int(steps.size()));
        const SequenceStep step = InsertStep::makeStep(input, dialog->unitSystem(),
                                                       InsertStep::neighbourRecordRate(steps, row));
        m_document.steps()->insertStep(row, step);
        m_steps->setCurrentIndex(m_document.steps()->index(row, 0));
    });
    dialog->open();
}

void SequencePage::onDeleteStep()
{
    const int row = m_steps->currentIndex().row();
    if (row < 0)
        return;
    m_document.steps()->removeStep(row);
}

void SequencePage::onBuilder()
{
    if (m_document.hasSequence())
        m_frameRamp->show();
}

void SequencePage::commitOpenEdit()
{
    // A cell editor hands its text to the grid when it loses the focus; a
    // command reached by its keyboard shortcut takes no focus by itself.
    QWidget *focus = focusWidget();
    if (focus && (m_steps->isAncestorOf(focus) || m_ramp->isAncestorOf(focus)))
        setFocus(Qt::OtherFocusReason);
}

void SequencePage::confirmLeave(std::function<void()> leave)
{
    commitOpenEdit();
    if (!m_document.isModified()) {
        leave();
        return;
    }
    m_prompter->confirm(this, kTitle,
                        QStringLiteral("Current active sequence was changed, do you want to leave without save?"),
                        [leave = std::move(leave)](bool ok) {
        if (ok)
            leave();
    });
}
