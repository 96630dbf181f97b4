#include "ui/editor/editorwindow.h"

#include "ui/qtext.h"
#include "ui/widgets/appearance.h"
#include "ui/widgets/hintbar.h"
#include "ui/widgets/navigation.h"
#include "ui/widgets/picturebutton.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ui {

EditorWindow::EditorWindow(const QString &className, const QString &caption, const QColor &gradientTop,
                           const QString &greeting, QWidget *parent)
    : GradientWidget(gradientTop, Qt::white, parent)
{
    setObjectName(className);
    setWindowTitle(caption);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The panel keeps its design size and is centred; on a screen smaller
    // than the panel the area scrolls instead of clipping the fields.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    // The area only scrolls; Tab moves between the fields, never to it.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidgetResizable(true);
    scroll->setStyleSheet(QStringLiteral("QScrollArea { background: transparent; }"));
    scroll->viewport()->setAutoFillBackground(false);
    m_panelHost = new QWidget;
    m_panelHost->setAutoFillBackground(false);
    auto *hostLayout = new QGridLayout(m_panelHost);
    hostLayout->setContentsMargins(8, 8, 8, 8);
    m_panel = new QWidget(m_panelHost);
    m_panel->setObjectName(QStringLiteral("panMain"));
    hostLayout->addWidget(m_panel, 0, 0, Qt::AlignCenter);
    scroll->setWidget(m_panelHost);
    // setWidget turns background filling on; the gradient must show through.
    m_panelHost->setAutoFillBackground(false);
    outer->addWidget(scroll, 1);

    m_hintBar = new HintBar(colours::editorHintBar, greeting, m_panel);
    clearsHint({this, m_panelHost, m_panel, m_hintBar, m_hintBar->label()});
}

void EditorWindow::setPanelSize(int width, int height) { m_panel->setFixedSize(width, height); }

PictureButton *EditorWindow::makeButton(const QString &name, const QString &picture, const QString &hint,
                                        QWidget *parent, QSize size)
{
    auto *button = new PictureButton(name, picture, hint, parent);
    button->setFixedSize(size);
    m_hintBar->addHint(button, hint);
    return button;
}

RecordButtons EditorWindow::makeRecordButtons(const RecordButtonNames &names, QWidget *parent)
{
    auto make = [this, parent](const char *name, const char *picture, const char *hint) {
        return makeButton(QString::fromLatin1(name), QStringLiteral(":/artwork/%1.svg").arg(QLatin1String(picture)),
                          QString::fromLatin1(hint), parent);
    };
    const RecordButtons buttons{
        make(names.newRecord, "new", "Enter new record."),
        make(names.duplicate, "duplicate", "Duplicate record."),
        make(names.save, "save", "Save record."),
        make(names.first, "first", "View first record."),
        make(names.previous, "previous", "View previous record."),
        make(names.next, "next", "View next record."),
        make(names.last, "last", "View last record."),
        make(names.close, "close", "Close window."),
    };
    connect(buttons.close, &QAbstractButton::clicked, this, &QWidget::close);
    return buttons;
}

QWidget *EditorWindow::makeToolbarBox(const QList<QWidget *> &items, QWidget *parent)
{
    auto *box = makeBox(Qt::white, parent, 6);
    box->setBorder(QColor(0xC8, 0xD6, 0xE3));
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(8, 5, 8, 5);
    row->setSpacing(6);
    for (QWidget *w : items) {
        w->setParent(box);
        row->addWidget(w, 0, Qt::AlignVCenter);
    }
    clearsHint({box});
    return box;
}

QLabel *EditorWindow::makePositionLabel(QWidget *parent)
{
    m_position = new QLabel(parent);
    m_position->setObjectName(QStringLiteral("lblPosizione"));
    m_position->setFont(windowFont(QStringLiteral("Verdana"), 14, true));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setMinimumWidth(54);
    // No accessible name of its own: assistive technology reads the text.
    m_position->setAccessibleDescription(QStringLiteral("Record position"));
    clearsHint({m_position});
    return m_position;
}

void EditorWindow::makeFields(std::span<const EditorFieldDef> table, const records::Layout &layout,
                              const QString &titlePrefix)
{
    int number = 1;
    for (const EditorFieldDef &def : table) {
        auto *edit = new QLineEdit(m_panel);
        edit->setObjectName(QStringLiteral("txt") + toQt(def.name));
        styleEditorField(edit, def.whiteRest ? colours::white : colours::aliceBlue);
        edit->setFixedWidth(def.width);
        if (const auto index = layout.indexOf(def.name))
            edit->setMaxLength(layout.field(*index).capacity);
        installTypingFilter(edit, def.filter);
        QLabel *title = nullptr;
        if (def.english) {
            title = new QLabel(QString::fromUtf8(def.english), m_panel);
            const int titleNumber = def.titleNumber > 0 ? def.titleNumber : number;
            ++number;
            title->setObjectName(titlePrefix + QStringLiteral("%1").arg(titleNumber, 3, 10, QLatin1Char('0')));
            title->setFont(windowFont(QStringLiteral("Verdana"), 11, true));
            title->setStyleSheet(QStringLiteral("color: #1F3A5F;"));
            title->setBuddy(edit);
            edit->setAccessibleName(QString::fromUtf8(def.english));
            // A title stands on the box around it: the hint goes there too.
            clearsHint({title});
        }
        m_fields.append({def, edit, title});
    }
    for (const records::FieldDef &f : layout.fields()) {
        if (f.kind != records::FieldKind::Hidden)
            continue;
        auto *hidden = new QLabel(m_panel);
        hidden->setObjectName(QStringLiteral("lbl") + toQt(f.name));
        hidden->hide();
    }
}

QLineEdit *EditorWindow::field(std::string_view name) const
{
    for (const FieldEntry &e : m_fields) {
        if (e.def.name == name)
            return e.edit;
    }
    return nullptr;
}

void EditorWindow::copyFields(const records::Record &record, std::span<const std::string_view> names)
{
    for (const std::string_view name : names) {
        if (QLineEdit *edit = field(name))
            RecordEditorEngine::setText(edit, toQt(record.text(name)));
    }
}

QWidget *EditorWindow::fieldColumn(const EditorFieldDef &def, QWidget *parent)
{
    for (const FieldEntry &e : std::as_const(m_fields)) {
        if (e.def.name != def.name)
            continue;
        auto *column = new QWidget(parent);
        QBoxLayout *layout = def.titleLeft ? static_cast<QBoxLayout *>(new QHBoxLayout(column))
                                           : static_cast<QBoxLayout *>(new QVBoxLayout(column));
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(def.titleLeft ? 8 : 1);
        if (e.title) {
            e.title->setParent(column);
            if (!def.titleLeft)
                e.title->setFixedHeight(17);
            layout->addWidget(e.title);
        }
        e.edit->setParent(column);
        layout->addWidget(e.edit);
        clearsHint({column});
        return column;
    }
    return nullptr;
}

QWidget *EditorWindow::buildArea(int area, QWidget *parent, int rowSpacing, int columnSpacing)
{
    auto *box = new QWidget(parent);
    auto *rows = new QVBoxLayout(box);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(rowSpacing);
    int maxRow = -1;
    for (const FieldEntry &e : std::as_const(m_fields)) {
        if (e.def.area == area)
            maxRow = std::max(maxRow, e.def.row);
    }
    for (int r = 0; r <= maxRow; ++r) {
        auto *row = new QHBoxLayout;
        row->setSpacing(columnSpacing);
        for (const FieldEntry &e : std::as_const(m_fields)) {
            if (e.def.area != area || e.def.row != r)
                continue;
            row->addWidget(fieldColumn(e.def, box), 0, Qt::AlignBottom);
            for (const auto &after : std::as_const(m_after)) {
                if (after.first == e.def.name) {
                    after.second->setParent(box);
                    row->addWidget(after.second, 0, Qt::AlignBottom);
                }
            }
        }
        row->addStretch(1);
        rows->addLayout(row);
    }
    rows->addStretch(1);
    clearsHint({box});
    return box;
}

QWidget *EditorWindow::makeFlags(QWidget *parent)
{
    auto *flags = new QWidget(parent);
    auto *row = new QHBoxLayout(flags);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    auto *ita = makeButton(QStringLiteral("optItaliano"), QStringLiteral(":/artwork/flag_it.svg"),
                           QStringLiteral("Traduci i campi di testo in italiano."), flags, QSize(36, 24));
    auto *eng = makeButton(QStringLiteral("optEnglish"), QStringLiteral(":/artwork/flag_uk.svg"),
                           QStringLiteral("Translate the text fields into English."), flags, QSize(36, 24));
    connect(ita, &QAbstractButton::clicked, this, [this] { setLanguage(Language::Italian); });
    connect(eng, &QAbstractButton::clicked, this, [this] { setLanguage(Language::English); });
    row->addWidget(ita);
    row->addWidget(eng);
    return flags;
}

void EditorWindow::placeAfter(std::string_view field, QWidget *widget) { m_after.append({field, widget}); }

void EditorWindow::setLanguage(Language language)
{
    m_language = language;
    for (const FieldEntry &e : std::as_const(m_fields)) {
        if (!e.title)
            continue;
        const QString title = QString::fromUtf8(language == Language::English ? e.def.english : e.def.italian);
        e.title->setText(title);
        e.edit->setAccessibleName(title);
    }
}

void EditorWindow::createEngine(const records::RecordFileDescriptor &file, RecordEditorEngine::ChosenFile chosen)
{
    m_engine = new RecordEditorEngine(this, file, std::move(chosen), m_position);
    QList<QWidget *> cycle;
    for (const FieldEntry &e : std::as_const(m_fields))
        cycle.append(e.edit);
    new FieldCycle(cycle, this);
    if (!cycle.isEmpty())
        m_engine->setFirstField(cycle.first());
}

void EditorWindow::clearsHint(const QList<QWidget *> &areas)
{
    for (QWidget *w : areas)
        m_hintBar->clearOver(w);
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    // Editors never end the program: closing one brings the launcher back.
    event->ignore();
    backToLauncher(this);
}

} // namespace ui
