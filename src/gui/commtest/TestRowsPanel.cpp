#include "TestRowsPanel.h"

#include "KeyFilteredBox.h"
#include "commtest/CommTestSession.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zel::gui {

namespace {

enum Column {
    ColumnValid,
    ColumnWrite,
    ColumnRead,
    ColumnText,
    ColumnLength,
    ColumnSend,
    ColumnReply
};

QString indexed(const char* name, int rowNo) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(rowNo);
}

} // namespace

TestRowsPanel::TestRowsPanel(CommTestSession& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    const QStringList headers{QStringLiteral("No."),       QStringLiteral("書込"),
                              QStringLiteral("呼出"),      QStringLiteral("送信データ"),
                              QStringLiteral("バイト"),    QString(),
                              QStringLiteral("受信データ")};
    for (int column = 0; column < headers.size(); ++column)
        grid->addWidget(new QLabel(headers[column], this), 0, column);
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        buildRow(rowNo);
        connectRow(rowNo);
    }
    grid->setRowStretch(TestScreen::kRowCount + 1, 1); // spare height below the rows
    grid->setColumnStretch(ColumnText, 3);
    grid->setColumnStretch(ColumnReply, 2);
    showScreen();
}

const TestRowsPanel::RowControls& TestRowsPanel::at(int rowNo) const {
    const int index = TestScreen::isRowNo(rowNo) ? rowNo - 1 : 0;
    return m_rows[static_cast<size_t>(index)];
}

void TestRowsPanel::buildRow(int rowNo) {
    RowControls& row = m_rows[static_cast<size_t>(rowNo - 1)];
    row.valid = new QCheckBox(QString::number(rowNo), this);
    row.valid->setObjectName(indexed("CheckValid", rowNo));
    row.write = new QRadioButton(QStringLiteral("W"), this);
    row.write->setObjectName(indexed("OptionTypeW", rowNo));
    row.read = new QRadioButton(QStringLiteral("R"), this);
    row.read->setObjectName(indexed("OptionTypeR", rowNo));
    row.kind = new QButtonGroup(this);
    row.kind->addButton(row.write);
    row.kind->addButton(row.read);
    row.text = new QLineEdit(this);
    row.text->setObjectName(indexed("TextSend", rowNo));
    row.text->setMaxLength(TestRow::kMaxDigits);
    row.text->setAttribute(Qt::WA_InputMethodEnabled, false);
    row.text->setDragEnabled(false);
    row.text->setAcceptDrops(false); // dropped text would pass by the paste filter
    row.text->setContextMenuPolicy(Qt::CustomContextMenu);
    row.text->setMinimumWidth(row.text->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
    row.length = new QLabel(this);
    row.length->setObjectName(indexed("LabelSendLen", rowNo));
    row.length->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.length->setMinimumWidth(row.length->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    row.send = new QPushButton(QStringLiteral("SEND"), this);
    row.send->setObjectName(indexed("CommandSend", rowNo));
    row.send->setAutoDefault(true);
    row.reply = new QLineEdit(this);
    row.reply->setObjectName(indexed("TextReceive", rowNo));
    row.reply->setReadOnly(true);

    auto* grid = static_cast<QGridLayout*>(layout());
    const QList<QWidget*> cells{row.valid,  row.write, row.read, row.text,
                                row.length, row.send,  row.reply};
    for (int column = 0; column < cells.size(); ++column)
        grid->addWidget(cells[column], rowNo, column);
}

void TestRowsPanel::connectRow(int rowNo) {
    const RowControls& row = at(rowNo);
    connect(row.valid, &QCheckBox::toggled, this,
            [this, rowNo](bool on) { m_session.setRowValid(rowNo, on); });
    connect(row.read, &QRadioButton::toggled, this,
            [this, rowNo](bool on) { m_session.setRowRead(rowNo, on); });
    connect(row.text, &QLineEdit::textChanged, this,
            [this, rowNo](const QString& text) { onTextChanged(rowNo, text); });
    connect(row.text, &QLineEdit::customContextMenuRequested, this,
            [this, rowNo](const QPoint& pos) {
                QLineEdit* box = at(rowNo).text;
                emit rowMenuRequested(box, box->mapToGlobal(pos));
            });
    connect(row.send, &QPushButton::clicked, this, [this, rowNo] {
        if (sendRow)
            sendRow(rowNo);
    });
    row.text->installEventFilter(this);
}

int TestRowsPanel::rowOf(const QWidget* box) const {
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo)
        if (at(rowNo).text == box)
            return rowNo;
    return 0;
}

void TestRowsPanel::onTextChanged(int rowNo, const QString& text) {
    if (!m_showing)
        m_session.setRowText(rowNo, text);
    at(rowNo).length->setText(QString::number(m_session.screen().row(rowNo).byteCount()));
}

void TestRowsPanel::showRow(int rowNo) {
    const TestRow& model = m_session.screen().row(rowNo);
    const RowControls& row = at(rowNo);
    row.valid->setChecked(model.valid);
    (model.read ? row.read : row.write)->setChecked(true);
    if (row.text->text() != model.text)
        row.text->setText(model.text);
    row.length->setText(QString::number(model.byteCount()));
    row.reply->setText(model.reply);
}

void TestRowsPanel::showScreen() {
    m_showing = true;
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo)
        showRow(rowNo);
    m_showing = false;
}

void TestRowsPanel::showReply(int rowNo) {
    at(rowNo).reply->setText(m_session.screen().row(rowNo).reply);
}

void TestRowsPanel::applyControls(const CommTestControls& controls) {
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        const RowControls& row = at(rowNo);
        row.send->setEnabled(controls.sendAt(rowNo));
        row.write->setEnabled(controls.rowKind);
        row.read->setEnabled(controls.rowKind);
    }
}

void TestRowsPanel::pasteInto(QLineEdit* box) {
    const QString text = QApplication::clipboard()->text();
    if (rowOf(box) == 0 || !m_session.mayPaste(text))
        return;
    box->insert(text);
}

bool TestRowsPanel::filterBoxKey(QLineEdit* box, QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteInto(box);
        return true;
    }
    return FilterBoxKey(*box, *event, KeyFilterMode::Hexadecimal);
}

bool TestRowsPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && rowOf(box) != 0 && event->type() == QEvent::KeyPress &&
        filterBoxKey(box, static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace zel::gui
