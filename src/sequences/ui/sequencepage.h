#pragma once
#include "sequences/sequencedocument.h"
#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class RampGridView;
class SequenceStore;
class StepBuilderFrame;
class clsConnection;
class Prompter;
class StoreError;

// The sequences page of the setup window: the saved sequences, the shown
// sequence's steps, shear ramp and header fields, and the commands on them.
class SequencePage : public QWidget
{
    Q_OBJECT
public:
    SequencePage(clsConnection *connection, Prompter *prompter, QWidget *parent = nullptr);
    ~SequencePage() override;

    SequenceDocument *document() { return &m_document; }
    QPushButton *returnButton() const { return m_cmdReturn; }

    // Calls leave() unless unsaved edits exist and the user keeps the window.
    void confirmLeave(std::function<void()> leave);

private:
    void buildLayout();
    QWidget *buildHeaderFields();
    void connectCommands();

    void fillList(const QString &select = QString());
    void showSelected();
    void showDocument();
    void updateEnabled();
    void commitOpenEdit();

    void onNew();
    void onCopyAs();
    void onDelete();
    void onSaveChange();
    void onInsertStep();
    void onDeleteStep();
    void onBuilder();

    void createNamed(const QString &typed);
    void copyNamed(const QString &source, const QString &typed);
    bool nameUsable(const QString &name);
    void storeFailed(const StoreError &error);
    void nameStoreFailed(const QString &name, const StoreError &error);

    Prompter *m_prompter;
    std::unique_ptr<SequenceStore> m_store;
    SequenceDocument m_document;
    bool m_showing = false;

    QLabel *m_storeError;
    QListWidget *m_lstSeqName;
    QTableView *m_steps;
    RampGridView *m_ramp;
    StepBuilderFrame *m_frameRamp;
    QLineEdit *m_txtTimeBefRead;
    QLineEdit *m_txtSampleInterval;
    QComboBox *m_cmbSampleRate;
    QLineEdit *m_txtNoSampleAve;
    QLineEdit *m_txtShutDownATime;
    QLineEdit *m_txtShutDownVisc;
    QPushButton *m_cmdNew;
    QPushButton *m_cmdSaveas;
    QPushButton *m_cmdDelete;
    QPushButton *m_cmdSaveChange;
    QPushButton *m_cmdInsertStep;
    QPushButton *m_cmdDeleteStep;
    QPushButton *m_cmdBuilder;
    QPushButton *m_cmdReturn;
};
