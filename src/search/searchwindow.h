#pragma once

#include "search/searchdesign.h"
#include "ui/widgets/usewindow.h"

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;

namespace search {

class ResultLines;

// The search window of every kind of search: a criteria panel `panAvvio`
// and a results panel `panContainer`, driven by a SearchDesign. The results
// list holds one line per found record, sorted; Find looks for text in it; a
// double-click (or Enter) on a line hands the record back to the caller as
// its caller word asks, and closes the window.
class TfrmSearch final : public ui::UseWindow
{
    Q_OBJECT

public:
    TfrmSearch(const SearchDesign &design, QWidget *caller);

    const SearchDesign &design() const { return m_design; }
    ResultLines *results() const { return m_results; }
    QListView *list() const { return m_list; }

    void btnCercaMouseDown();
    void btnCercaClick();
    void btnInterrompiClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();

    // The remembered find text of one kind of window (its class name).
    static QString rememberedFind(const QString &className);
    // How long a search runs before it shows its progress and can be
    // stopped (tests shorten it).
    static void setProgressAfter(int milliseconds);

protected:
    void formShow() override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildCriteria();
    QWidget *buildResults();
    std::filesystem::path recordFile() const;
    // Reads the whole record file once; throws on any failure.
    void scanRecords(const std::function<bool(std::size_t, const records::Record &)> &visit) const;
    void showResults(std::vector<std::string> lines);
    void fillPendingIssues();
    void formClose();

    SearchDesign m_design;
    QStackedWidget *m_panels = nullptr;
    QWidget *m_criteriaPanel = nullptr;
    QWidget *m_resultsPanel = nullptr;
    QList<QLineEdit *> m_criteria;
    QLabel *m_count = nullptr;
    QLabel *m_waiting = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_stop = nullptr;
    bool m_searching = false;
    bool m_stopRequested = false;
    QLabel *m_found = nullptr;
    QLineEdit *m_find = nullptr;
    QPushButton *m_findButton = nullptr;
    QListView *m_list = nullptr;
    ResultLines *m_results = nullptr;
    bool m_closed = false;
};

// Creates a search window of `design` over `caller`, hands it the caller
// word, shows it modally and destroys it.
void openSearch(const SearchDesign &design, QWidget *caller, const QString &callerWord);

} // namespace search
