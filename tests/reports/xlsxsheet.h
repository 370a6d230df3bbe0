#pragma once
// Reads back one worksheet of an .xlsx file for checks: unzips the parts
// with the unzip program and parses their XML.
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

class XlsxSheet
{
public:
    struct Cell
    {
        QString type;       // "n", "s", "inlineStr", "str"
        QString value;      // number text or the string itself
        int style = 0;
    };

    bool load(const QString &file, int sheet = 1)
    {
        m_error.clear();
        sheetXml = part(file, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheet));
        workbookXml = part(file, QStringLiteral("xl/workbook.xml"));
        const QByteArray styles = part(file, QStringLiteral("xl/styles.xml"));
        const QByteArray shared = part(file, QStringLiteral("xl/sharedStrings.xml"), true);
        if (sheetXml.isEmpty() || workbookXml.isEmpty() || styles.isEmpty())
            return false;
        readSharedStrings(shared);
        readStyles(styles);
        readCells();
        return m_error.isEmpty();
    }
    QString error() const { return m_error; }

    bool has(const QString &ref) const { return cells.contains(ref); }
    QString text(const QString &ref) const { return cells.value(ref).value; }
    double number(const QString &ref) const { return cells.value(ref).value.toDouble(); }
    bool isNumber(const QString &ref) const { return has(ref) && cells.value(ref).type == QLatin1String("n"); }
    QString format(const QString &ref) const { return m_xfFormats.value(cells.value(ref).style, QStringLiteral("General")); }
    // Highest row that holds a cell.
    int lastRow() const { return m_lastRow; }

    QMap<QString, Cell> cells;
    QByteArray sheetXml;
    QByteArray workbookXml;

private:
    QByteArray part(const QString &file, const QString &name, bool optional = false)
    {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, name});
        if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0) {
            if (!optional)
                m_error = QStringLiteral("unzip %1 %2 failed: %3").arg(file, name, QString::fromLocal8Bit(unzip.readAllStandardError()));
            return {};
        }
        return unzip.readAllStandardOutput();
    }

    void readSharedStrings(const QByteArray &xml)
    {
        QXmlStreamReader r(xml);
        while (!r.atEnd()) {
            if (r.readNext() == QXmlStreamReader::StartElement && r.name() == QLatin1String("si"))
                m_shared << stringItem(r, QStringLiteral("si"));
        }
    }

    void readStyles(const QByteArray &xml)
    {
        QMap<int, QString> formats{{0, QStringLiteral("General")}, {1, QStringLiteral("0")},
                                   {2, QStringLiteral("0.00")}, {14, QStringLiteral("m/d/yyyy")}};
        QXmlStreamReader r(xml);
        bool inCellXfs = false;
        while (!r.atEnd()) {
            const auto token = r.readNext();
            if (token == QXmlStreamReader::StartElement) {
                if (r.name() == QLatin1String("numFmt"))
                    formats.insert(r.attributes().value(QLatin1String("numFmtId")).toInt(),
                                   r.attributes().value(QLatin1String("formatCode")).toString());
                else if (r.name() == QLatin1String("cellXfs"))
                    inCellXfs = true;
                else if (inCellXfs && r.name() == QLatin1String("xf"))
                    m_xfFormats << formats.value(r.attributes().value(QLatin1String("numFmtId")).toInt());
            } else if (token == QXmlStreamReader::EndElement && r.name() == QLatin1String("cellXfs")) {
                inCellXfs = false;
            }
        }
    }

    static QString stringItem(QXmlStreamReader &r, const QString &end)
    {
        QString s;
        while (!r.atEnd()) {
            const auto token = r.readNext();
            if (token == QXmlStreamReader::StartElement && r.name() == QLatin1String("t"))
                s += r.readElementText();
            else if (token == QXmlStreamReader::EndElement && r.name() == end)
                break;
        }
        return s;
    }

    void readCells()
    {
        QXmlStreamReader r(sheetXml);
        while (!r.atEnd()) {
            if (r.readNext() != QXmlStreamReader::StartElement || r.name() != QLatin1String("c"))
                continue;
            const QString ref = r.attributes().value(QLatin1String("r")).toString();
            Cell cell;
            cell.type = r.attributes().hasAttribute(QLatin1String("t"))
                            ? r.attributes().value(QLatin1String("t")).toString() : QStringLiteral("n");
            cell.style = r.attributes().value(QLatin1String("s")).toInt();
            bool hasValue = false;
            while (!r.atEnd()) {
                const auto token = r.readNext();
                if (token == QXmlStreamReader::StartElement && r.name() == QLatin1String("v")) {
                    cell.value = r.readElementText();
                    hasValue = true;
                } else if (token == QXmlStreamReader::StartElement && r.name() == QLatin1String("is")) {
                    cell.value = stringItem(r, QStringLiteral("is"));
                    hasValue = true;
                } else if (token == QXmlStreamReader::EndElement && r.name() == QLatin1String("c")) {
                    break;
                }
            }
            if (!hasValue)
                continue;      // a blank, formatted cell
            if (cell.type == QLatin1String("s"))
                cell.value = m_shared.value(cell.value.toInt());
            cells.insert(ref, cell);
            int digits = 0;
            while (digits < ref.size() && ref.at(digits).isLetter())
                ++digits;
            m_lastRow = std::max(m_lastRow, ref.mid(digits).toInt());
        }
        if (r.hasError())
            m_error = r.errorString();
    }

    QString m_error;
    QStringList m_shared;
    QList<QString> m_xfFormats;
    int m_lastRow = 0;
};
