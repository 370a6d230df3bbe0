#pragma once
// Small helpers to drive the test information windows by objectName.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QtTest>

namespace driver {

template <typename T = QWidget>
T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}

inline void setText(QWidget *parent, const char *name, const QString &text)
{
    QLineEdit *edit = child<QLineEdit>(parent, name);
    QVERIFY(edit);
    edit->setText(text);
}

inline void click(QWidget *parent, const char *name)
{
    QAbstractButton *b = child<QAbstractButton>(parent, name);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

// The message box a window has open (boxes close themselves on OK).
inline QMessageBox *openBox(QWidget *parent)
{
    for (QMessageBox *box : parent->findChildren<QMessageBox *>()) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

inline void answer(QMessageBox *box, QMessageBox::StandardButton button)
{
    QVERIFY(box);
    QAbstractButton *b = box->button(button);
    QVERIFY(b);
    b->click();
}

inline QPoint cellCentre(QTableWidget *grid, int row, int column)
{
    return grid->visualRect(grid->model()->index(row, column)).center();
}

} // namespace driver
