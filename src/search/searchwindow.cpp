#include "search/searchwindow.h"

#include "records/browse.h"
#include "records/recordfile.h"
#include "records/search.h"
#include "search/listreport.h"
#include "search/resultmodel.h"
#include "ui/dialogs/dialogs.h"
#include "ui/editor/editorengine.h"
#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/fieldbehaviour.h"
#include "ui/widgets/gradientwidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <optional>

namespace search {

namespace {

constexpr QSize kWindowSize(862, 560);
constexpr QSize kPanelSize(833, 529);
// Each line is wider than the list, so long lines are reached sideways.
constexpr int kLineWidth = 1600;
const QColor kSteelBlue(0x46, 0x82, 0xB4);
const QColor kDarkCyan(0x00, 0x8B, 0x8B);
const QColor kCrimson(0xDC, 0x14, 0x3C);
const QColor kInk(0x1F, 0x3A, 0x5F);

const QString kWaiting = QStringLiteral("Searching for records. Wait...");
const QString kFoundPrefix = QStringLiteral("Records found:  ");
const QString kEmptyList = QStringLiteral("Empty list!");
const QString kDoubleClick = QStringLiteral("Double-click a record on the list to retrieve its data.");
const QString kCriteriaDirections =
    QStringLiteral("Type one or more consecutive words contained in the records into one or more fields, "
                   "leave the other fields empty and press Search.");
const QString kFindDirections =
    QStringLiteral("Type one or more words and press Find to select the first line that contains them. "
                   "Press Find again to move to the next line that contains the same text.");

int g_progressAfterMs = 500;

QHash<QString, QString> &rememberedTexts()
{
    static QHash<QString, QString> texts;
    return texts;
}

// Only the letters A to Z are folded, as in the search itself.
QString foldAZ(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c.unicode() >= 'A' && c.unicode() <= 'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

class LineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(kLineWidth, QStyledItemDelegate::sizeHint(option, index).height());
    }
};

QLabel *label(const QString &name, const QString &text, const QColor &colour, QFont font, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(font);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setFont(ui::windowFont(QStringLiteral("Tahoma"), 13, true));
    b->setMinimumSize(130, 34);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    return b;
}

// The banner and the instructions at the top of a panel: a title on a blue
// band, and what to do in a sentence below it.
QWidget *heading(const QString &title, const QString &directions, const QString &names, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    auto *band = ui::makeBox(kInk, box, 8);
    band->setObjectName(names + QStringLiteral("Banner"));
    band->setFixedHeight(54);
    auto *bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(18, 0, 18, 0);
    auto *titleLabel = label(QStringLiteral("img") + names, title, Qt::white,
                             ui::windowFont(QStringLiteral("Verdana"), 22, true), band);
    bandLayout->addWidget(titleLabel);
    bandLayout->addStretch(1);
    auto *card = ui::makeBox(QColor(0xF4, 0xF8, 0xFC), box, 8);
    card->setBorder(QColor(0x9D, 0xB6, 0xCE));
    auto *cardLayout = new QHBoxLayout(card);
    cardLayout->setContentsMargins(14, 8, 14, 8);
    auto *text =
        label(QStringLiteral("ico") + names, directions, kInk, ui::windowFont(QStringLiteral("Tahoma"), 14), card);
    text->setWordWrap(true);
    cardLayout->addWidget(text);
    layout->addWidget(band);
    layout->addWidget(card);
    return box;
}

} // namespace

QString TfrmSearch::rememberedFind(const QString &className) { return rememberedTexts().value(className); }

void TfrmSearch::setProgressAfter(int milliseconds) { g_progressAfterMs = milliseconds; }

TfrmSearch::TfrmSearch(const SearchDesign &design, QWidget *caller)
    : ui::UseWindow({design.className, design.caption, kSteelBlue, Qt::white, false, true}, caller),
      m_design(design),
      m_results(new ResultLines(this))
{
    setFixedSize(kWindowSize);
    m_panels = new QStackedWidget(this);
    m_panels->setGeometry(
        QRect(QPoint((kWindowSize.width() - kPanelSize.width()) / 2, (kWindowSize.height() - kPanelSize.height()) / 2),
              kPanelSize));
    if (m_design.hasCriteria())
        m_panels->addWidget(buildCriteria());
    m_panels->addWidget(buildResults());
    m_panels->setCurrentIndex(0);
}

QWidget *TfrmSearch::buildCriteria()
{
    m_criteriaPanel = new QWidget;
    m_criteriaPanel->setObjectName(QStringLiteral("panAvvio"));
    auto *layout = new QVBoxLayout(m_criteriaPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(heading(m_design.banner, kCriteriaDirections, QStringLiteral("Avvio"), m_criteriaPanel));

    auto *fields = ui::makeBox(Qt::white, m_criteriaPanel, 8);
    fields->setObjectName(QStringLiteral("shpCriteri"));
    auto *grid = new QGridLayout(fields);
    grid->setContentsMargins(22, 12, 22, 12);
    grid->setHorizontalSpacing(30);
    grid->setVerticalSpacing(2);
    const QFont captionFont = ui::windowFont(QStringLiteral("Verdana"), 11, true);
    for (const CriteriaRow &row : std::as_const(m_design.criteria)) {
        auto *edit = new QLineEdit(fields);
        edit->setObjectName(QString::fromLatin1(row.control));
        ui::styleEditorField(edit, ui::colours::aliceBlue);
        edit->setMinimumWidth(360);
        const QString captionText = QString::fromUtf8(row.caption);
        auto *caption = label(QStringLiteral("lbl") + QString::fromLatin1(row.control).mid(3), captionText, kInk,
                              captionFont, fields);
        caption->setBuddy(edit);
        edit->setAccessibleName(captionText);
        const int column = row.right ? 1 : 0;
        grid->addWidget(caption, (row.row - 1) * 2, column);
        grid->addWidget(edit, (row.row - 1) * 2 + 1, column);
        grid->setRowMinimumHeight((row.row - 1) * 2 + 1, 34);
        ui::addFocusFrame(edit, QString::fromLatin1(row.focusFrame));
        m_criteria.append(edit);
    }
    auto *cycle = new ui::FieldCycle(QList<QWidget *>(m_criteria.begin(), m_criteria.end()), this);
    cycle->setTabWraps(false);
    layout->addWidget(fields, 1);

    auto *bottom = new QHBoxLayout;
    auto *close = button(QStringLiteral("btnAnnulla"), QStringLiteral("Close"), m_criteriaPanel);
    auto *find = button(QStringLiteral("btnCerca"), QStringLiteral("Search"), m_criteriaPanel);
    m_search = find;
    m_stop = button(QStringLiteral("btnInterrompi"), QStringLiteral("Stop"), m_criteriaPanel);
    m_stop->setToolTip(QStringLiteral("Stop the search and list the records found so far."));
    m_stop->hide();
    m_waiting = label(QStringLiteral("lblAttendere"), kWaiting, kDarkCyan,
                      ui::windowFont(QStringLiteral("Verdana"), 13, true), m_criteriaPanel);
    m_waiting->setAlignment(Qt::AlignCenter);
    // Showing the text while the mouse is down must not move the button
    // from under the mouse.
    QSizePolicy keep = m_waiting->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_waiting->setSizePolicy(keep);
    m_waiting->hide();
    bottom->addWidget(close);
    bottom->addWidget(m_waiting, 1);
    bottom->addWidget(m_stop);
    bottom->addWidget(find);
    layout->addLayout(bottom);

    m_count = new QLabel(QStringLiteral("0"), m_criteriaPanel);
    m_count->setObjectName(QStringLiteral("lblConta"));
    m_count->hide();

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(find, &QPushButton::pressed, this, &TfrmSearch::btnCercaMouseDown);
    connect(find, &QPushButton::clicked, this, &TfrmSearch::btnCercaClick);
    connect(m_stop, &QPushButton::clicked, this, &TfrmSearch::btnInterrompiClick);
    return m_criteriaPanel;
}

QWidget *TfrmSearch::buildResults()
{
    m_resultsPanel = new QWidget;
    m_resultsPanel->setObjectName(QStringLiteral("panContainer"));
    auto *layout = new QVBoxLayout(m_resultsPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(heading(m_design.resultTitle, kFindDirections, QStringLiteral("Risultati"), m_resultsPanel));

    auto *findRow = new QHBoxLayout;
    m_find = new QLineEdit(m_resultsPanel);
    m_find->setObjectName(QStringLiteral("txtTrova"));
    ui::styleEditorField(m_find, Qt::white);
    m_find->setAccessibleName(QStringLiteral("Find in the list"));
    m_findButton = button(QStringLiteral("btnTrova"), QStringLiteral("Find"), m_resultsPanel);
    ui::moveFocusOnEnter(m_find, m_findButton);
    findRow->addWidget(m_find, 1);
    findRow->addWidget(m_findButton);
    layout->addLayout(findRow);

    m_list = new QListView(m_resultsPanel);
    m_list->setObjectName(QStringLiteral("lstRecords"));
    m_list->setAccessibleName(QStringLiteral("Records found"));
    m_list->setModel(m_results);
    m_list->setItemDelegate(new LineDelegate(m_list));
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    QFont lines(QStringLiteral("Courier New"));
    lines.setPointSize(12);
    m_list->setFont(lines);
    QPalette ink = m_list->palette();
    ink.setColor(QPalette::Text, Qt::black);
    m_list->setPalette(ink);
    m_list->installEventFilter(this);
    // A double-click anywhere in the list, on a line or not, retrieves the
    // selected line (and with none selected closes the window).
    m_list->viewport()->installEventFilter(this);
    layout->addWidget(m_list, 1);

    auto *hint = label(QStringLiteral("lblRigo03"), kDoubleClick, kCrimson,
                       ui::windowFont(QStringLiteral("Verdana"), 12, true), m_resultsPanel);
    hint->setAlignment(Qt::AlignCenter);
    layout->addWidget(hint);

    auto *bottom = new QHBoxLayout;
    auto *close = button(QStringLiteral("btnChiudi"), QStringLiteral("Close"), m_resultsPanel);
    auto *print = button(QStringLiteral("btnStampa"), QStringLiteral("Print"), m_resultsPanel);
    bottom->addWidget(close);
    if (m_design.hasCriteria()) {
        m_found = label(QStringLiteral("lblTrovate"), kFoundPrefix + QStringLiteral("0"), kDarkCyan,
                        ui::windowFont(QStringLiteral("Verdana"), 13, true), m_resultsPanel);
        m_found->setAlignment(Qt::AlignCenter);
        bottom->addWidget(m_found, 1);
    } else {
        bottom->addStretch(1);
    }
    bottom->addWidget(print);
    layout->addLayout(bottom);

    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, &TfrmSearch::btnStampaClick);
    connect(m_findButton, &QPushButton::clicked, this, &TfrmSearch::btnTrovaClick);

    return m_resultsPanel;
}

std::filesystem::path TfrmSearch::recordFile() const
{
    if (m_design.file->inDataFolder())
        return m_design.file->path();
    // A chosen file is opened where the caller names it, nowhere else.
    return m_design.chosenFile ? m_design.chosenFile(caller()) : std::filesystem::path();
}

void TfrmSearch::scanRecords(const std::function<bool(std::size_t, const records::Record &)> &visit) const
{
    const records::Layout &layout = m_design.file->layout;
    records::RecordFile records(recordFile(), layout.recordLength());
    records::Record buffer(layout);
    records.scan(buffer, visit);
    records.close();
}

void TfrmSearch::formShow()
{
    rememberedTexts()[m_design.className].clear();
    m_find->clear();
    if (m_design.hasCriteria()) {
        m_criteria.first()->setFocus(Qt::OtherFocusReason);
        return;
    }
    fillPendingIssues();
    m_find->setFocus(Qt::OtherFocusReason);
}

void TfrmSearch::fillPendingIssues()
{
    const auto listed = m_design.file->layout.indexOf(m_design.listedWhen);
    std::vector<std::string> lines;
    try {
        scanRecords([&](std::size_t, const records::Record &record) {
            if (!listed || !records::storedField(record, *listed).empty())
                lines.push_back(records::resultLine(record, m_design.list->columns));
            return true;
        });
    } catch (const std::exception &) {
        // The lines read so far stay; nothing is said.
    }
    records::sortLines(lines);
    m_results->setLines(std::move(lines));
}

void TfrmSearch::btnCercaMouseDown()
{
    if (m_waiting) {
        m_waiting->show();
        m_waiting->repaint();
    }
}

void TfrmSearch::btnCercaClick()
{
    if (m_searching)
        return;
    const records::RecordFileDescriptor &file = *m_design.file;
    std::vector<records::CriterionText> criteria;
    for (qsizetype k = 0; k < m_criteria.size() && k < static_cast<qsizetype>(m_design.list->criteria.size()); ++k)
        criteria.push_back({m_design.list->criteria[static_cast<std::size_t>(k)], ui::toStd(m_criteria[k]->text())});
    const records::SearchRule rule(file.layout, criteria);
    m_count->setText(QString::number(rule.required()));

    std::vector<std::string> lines;
    m_searching = true;
    m_stopRequested = false;
    QElapsedTimer running;
    running.start();
    try {
        const std::size_t total = records::recordCount(recordFile(), file.layout.recordLength());
        scanRecords([&](std::size_t at, const records::Record &record) {
            if (rule.matches(record))
                lines.push_back(records::resultLine(record, m_design.list->columns));
            // A long search shows how far it is and can be stopped; the
            // lines found until then are listed.
            if (at % 512 == 1 && running.elapsed() >= g_progressAfterMs) {
                m_waiting->setText(
                    QStringLiteral("%1  %2%").arg(kWaiting).arg(at * 100 / std::max<std::size_t>(total, 1)));
                m_waiting->show();
                m_stop->show();
                m_search->setEnabled(false);
                QCoreApplication::processEvents();
                if (m_stopRequested || m_closed)
                    return false;
            }
            return true;
        });
    } catch (const std::exception &) {
        m_searching = false;
        m_stop->hide();
        m_search->setEnabled(true);
        m_waiting->setText(kWaiting);
        m_waiting->hide();
        ui::error(this, ui::messages::cannotOpen);
        return;
    }
    m_searching = false;
    m_stop->hide();
    m_search->setEnabled(true);
    m_waiting->setText(kWaiting);
    if (m_closed)
        return;
    records::sortLines(lines);
    showResults(std::move(lines));
}

void TfrmSearch::btnInterrompiClick() { m_stopRequested = true; }

void TfrmSearch::showResults(std::vector<std::string> lines)
{
    m_results->setLines(std::move(lines));
    if (m_found)
        m_found->setText(kFoundPrefix + QString::number(m_results->rowCount()));
    m_panels->setCurrentWidget(m_resultsPanel);
    m_find->clear();
    m_find->setFocus(Qt::OtherFocusReason);
}

void TfrmSearch::btnTrovaClick()
{
    const int count = m_results->rowCount();
    if (count == 0) {
        ui::notice(this, kEmptyList);
        return;
    }
    QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_list->selectionModel()->isSelected(current)) {
        current = m_results->index(0);
        m_list->setCurrentIndex(current);
    }
    const QString key = foldAZ(m_find->text());
    QString &remembered = rememberedTexts()[m_design.className];
    auto matches = [&](int row) { return !key.isEmpty() && foldAZ(m_results->lineText(row)).contains(key); };
    const bool newSearch = key != remembered;
    const int start = newSearch ? 0 : current.row();
    int found = -1;
    if (newSearch && matches(start))
        found = start;
    for (int row = start; found < 0;) {
        row = (row + 1) % count;
        if (matches(row))
            found = row;
        if (row == start)
            break;
    }
    if (found >= 0) {
        const QModelIndex index = m_results->index(found);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }
    remembered = key;
}

void TfrmSearch::lstRecordsDblClick()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid() || !m_list->selectionModel()->isSelected(current)) {
        reject();
        return;
    }
    const std::string chosen = m_results->lines()[static_cast<std::size_t>(current.row())];
    std::optional<records::Record> found;
    std::size_t position = 0;
    try {
        // The whole file: of several records with the same line, the last
        // one is the one handed back.
        scanRecords([&](std::size_t at, const records::Record &record) {
            if (records::sameLine(records::resultLine(record, m_design.list->columns), chosen)) {
                found = record;
                position = at;
            }
            return true;
        });
    } catch (const std::exception &) {
        reject();
        return;
    }
    if (found) {
        const QString word = callerWord();
        for (const HandBack &handBack : std::as_const(m_design.handBacks)) {
            if (m_design.anyCallerWord || handBack.callerWord == word) {
                handBack.apply(caller(), *found, position);
                break;
            }
        }
    }
    accept();
}

void TfrmSearch::btnStampaClick()
{
    QStringList lines;
    lines.reserve(m_results->rowCount());
    for (int row = 0; row < m_results->rowCount(); ++row)
        lines.append(m_results->lineText(row));
    try {
        printList(this, m_design.printTitle, lines);
    } catch (const std::exception &) {
        // Nothing was printed; the window stays open for another try.
    }
}

bool TfrmSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // The first click of the two has selected the line under the mouse.
        lstRecordsDblClick();
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Keyboard users and screen readers have no double-click.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lstRecordsDblClick();
            return true;
        }
    }
    return ui::UseWindow::eventFilter(watched, event);
}

void TfrmSearch::formClose()
{
    if (m_closed)
        return;
    m_closed = true;
    m_results->clear();
    if (m_waiting)
        m_waiting->hide();
}

void TfrmSearch::closeEvent(QCloseEvent *event)
{
    formClose();
    ui::UseWindow::closeEvent(event);
}

void TfrmSearch::done(int result)
{
    formClose();
    ui::UseWindow::done(result);
}

void TfrmSearch::keyPressEvent(QKeyEvent *event)
{
    // Only the window's own Close buttons close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    ui::UseWindow::keyPressEvent(event);
}

void openSearch(const SearchDesign &design, QWidget *caller, const QString &callerWord)
{
    auto *window = new TfrmSearch(design, caller);
    window->setCallerWord(callerWord);
    ui::runUseWindow(window);
}

} // namespace search
