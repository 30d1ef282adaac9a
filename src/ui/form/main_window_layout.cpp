// The window's controls, created and placed once. What the first picture
// does not show -- the settings panel, the points panel, the main graph's
// reading box, the listing's font -- comes just after it, or sooner where
// something needs it; the fields of a panel built late show the inputs as
// they are then.
#include "ui/form/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <utility>

#include "model/presets.h"
#include "ui/commands/field_history.h"
#include "ui/form/curve_panels.h"
#include "ui/form/editor_overlay.h"
#include "ui/form/field_binder.h"
#include "ui/form/field_colours.h"
#include "ui/form/fixed_pictures.h"
#include "ui/form/settings_panel.h"
#include "ui/form/widget_factory.h"
#include "ui/graphs/main_graph_mouse.h"
#include "ui/graphs/raster_surface.h"
#include "ui/graphs/reading_box.h"

namespace ign::ui {
namespace {

QAction* makeAction(QMenu* menu, const char* name, const QString& text,
                    const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu* makeMenu(QMenuBar* bar, const char* name, const QString& title)
{
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

// Runs a task once, as soon as the first picture of a widget is on the screen.
class AfterFirstPicture : public QObject {
public:
    AfterFirstPicture(QWidget* widget, std::function<void()> task)
        : QObject(widget), task_(std::move(task))
    {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The paint is under way; the task comes after the whole picture.
            QTimer::singleShot(0, watched, std::move(task_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> task_;
};

}  // namespace

void MainWindow::buildForm()
{
    form_ = new QWidget(this);
    form_->setFixedSize(kFormWidth, kFormHeight);
    setCentralWidget(form_);

    buildGraph();
    curves_ = new CurvePanels(form_, *binder_);
    connect(curves_, &CurvePanels::tabChanged, this, &MainWindow::TabStrip1_Click);
    connect(curves_, &CurvePanels::coefficientKeyReleased, this,
            &MainWindow::DrawCurvesByCoefficients);
    connect(curves_, &CurvePanels::pointKeyReleased, this, &MainWindow::DrawCurvesByPoints);
    buildSpeedLimits();
    buildListingAndButtons();
    buildMenu();
    new AfterFirstPicture(form_, [this] { completeForm(); });
}

void MainWindow::finishLayout()
{
    setBackgroundColour(form_, kWindowColour);
    for (RasterSurface* picture : {picture1_, picture2_, picture3_}) {
        picture->setBackground(kWindowColour);
        RasterSurface::Canvas(*picture).clear();
    }
    setBackgroundColour(label2_0_, kWindowColour);
    setBackgroundColour(label3_, kWindowColour);
    for (QLabel* label : speedLabels_)
        setBackgroundColour(label, kWindowColour);
}

void MainWindow::completeForm()
{
    text3_ = new ReadingBox(QStringLiteral("n = 11000\na = 50,0\n"), form_);
    text3_->setObjectName(QStringLiteral("Text3"));
    text3_->setFont(serifFont(8.25));
    // Its reading sizes it and turns its scroll bars off.
    text3_->move(60, 60);
    text3_->hide();
    new MainGraphMouse(*picture1_, *text3_, this);
    // The listing is empty until the first calculation, so its fixed-pitch
    // face, a font search and a face of its own, waits until now.
    text2_->setFont(listingFont());
    curves_->buildPointsPanel();
    settingsPanel();
}

SettingsPanel& MainWindow::settingsPanel()
{
    if (!settings_) {
        settings_ = new SettingsPanel(form_, *binder_);
        settings_->move((form_->width() - settings_->width()) / 2,
                        (form_->height() - settings_->height()) / 2);
        connect(settings_, &SettingsPanel::applyClicked, this, &MainWindow::Command4_Click);
        connect(settings_, &SettingsPanel::cancelClicked, this, &MainWindow::Command5_Click);
    }
    return *settings_;
}

EditorOverlay& MainWindow::buildEditor()
{
    editor_ = std::make_unique<EditorOverlay>(form_);
    for (RasterSurface* picture : {editor_->picture4(), editor_->picture5(), editor_->picture6()}) {
        picture->setBackground(kWindowColour);
        RasterSurface::Canvas(*picture).clear();
    }
    setBackgroundColour(editor_->frame6(), kWindowColour);
    editor_->frame6()->move(0, 0);
    return *editor_;
}

void MainWindow::buildGraph()
{
    label3_ = makeLabel(form_, QStringLiteral("Label3"),
                        QStringLiteral("Зависимость УОЗ от оборотов КВ"), QRect(52, 10, 445, 26));
    label3_->setFont(titleFont(12));
    label3_->setAlignment(Qt::AlignCenter);
    // The scales first, so the graph lies above them.
    picture3_ = makeSurface(form_, "Picture3", QRect(30, 40, 21, 209), false);
    picture2_ = makeSurface(form_, "Picture2", QRect(46, 252, 457, 17), false);
    picture1_ = makeSurface(form_, "Picture1", QRect(52, 44, 445, 205), true);
    mainGraph_.emplace(*picture1_, *picture2_, *picture3_);
    // The points editor is built at the first double click, which it cannot
    // hear itself; from then on it asks for the opening on its own.
    connect(picture1_, &RasterSurface::doubleClicked, this, [this] {
        if (!pointsEditor_)
            openPointsEditor();
    });
    auto* image4 = new QLabel(form_);
    image4->setObjectName(QStringLiteral("Image4"));
    image4->setGeometry(12, 122, 19, 62);
    image4->setPixmap(angleCaptionPicture(image4->size(), kWindowColour));
    label2_0_ = makeLabel(form_, elementName("Label2", 0), QStringLiteral("n, об/мин"),
                          QRect(244, 270, 90, 18));
}

void MainWindow::buildSpeedLimits()
{
    const struct {
        int caption, unit;
        const char* text;
        QStringList items;
    } rows[] = {
        {4, 3, "  Минимальные  обороты  КВ, c которых начи- нает работать регулировка УОЗ",
         itemList(kNminItems)},
        {7, 8, "  Максимальные  обороты  КВ при  включенной функции обкатка", itemList(kNmaxItems)},
    };
    for (int i = 0; i < 2; ++i) {
        const int y = 300 + 64 * i;
        const auto& row = rows[i];
        speedLabels_[static_cast<std::size_t>(2 * i)] =
            makeLabel(form_, elementName("Label1", row.caption), QString::fromUtf8(row.text),
                      QRect(16, y, 264, 48));
        // Wide enough for a typed speed of seven characters.
        QComboBox* combo =
            makeCombo(form_, elementName("Combo2", i), row.items, true, QRect(284, y + 8, 88, 24));
        combo2_[static_cast<std::size_t>(i)] = combo;
        binder_->bind({Control::Combo2, i}, combo);
        clearHighlightOnFocus(combo);
        speedLabels_[static_cast<std::size_t>(2 * i + 1)] =
            makeLabel(form_, elementName("Label1", row.unit), QStringLiteral("об/мин"),
                      QRect(378, y + 12, 50, 18));
    }
}

void MainWindow::buildListingAndButtons()
{
    text2_ = new QPlainTextEdit(form_);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2_->setGeometry(432, 274, 345, 220);
    const struct {
        const char* name;
        const char* caption;
        int x;
        QColor colour;
        void (MainWindow::*handler)();
    } buttons[] = {
        {"Command1", "Рассчитать", 432, kComputeButtonColour, &MainWindow::Command1_Click},
        {"Command2", "Сохранить", 550, kSaveButtonColour, &MainWindow::Command2_Click},
        {"Command3", "Сброс", 668, kCancelButtonColour, &MainWindow::Command3_Click},
    };
    for (const auto& b : buttons) {
        QPushButton* button = makeButton(form_, QLatin1String(b.name), QString::fromUtf8(b.caption),
                                         QRect(b.x, 504, 109, 30), b.colour);
        connect(button, &QPushButton::clicked, this, b.handler);
    }
}

void MainWindow::buildMenu()
{
    QMenuBar* bar = menuBar();
    QMenu* file = makeMenu(bar, "file", QStringLiteral("Файл"));
    connect(makeAction(file, "save_table",
                       QStringLiteral("Сохранить таблицу .asm") + QString(8, u' '),
                       QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &MainWindow::save_table_Click);
    connect(makeAction(file, "open_table", QStringLiteral("Открыть таблицу"),
                       QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &MainWindow::open_table_Click);
    file->addSeparator();
    connect(makeAction(file, "make_hex", QStringLiteral("Создать прошивку .hex"),
                       QKeySequence(Qt::Key_F9)),
            &QAction::triggered, this, &MainWindow::make_hex_Click);

    QAction* settings = bar->addAction(QStringLiteral("Настройки"));
    settings->setObjectName(QStringLiteral("settings"));
    connect(settings, &QAction::triggered, this, &MainWindow::settings_Click);

    QMenu* table = makeMenu(bar, "table", QStringLiteral("График УОЗ"));
    const Qt::Key presetKeys[] = {Qt::Key_F2, Qt::Key_F3, Qt::Key_F4};
    for (std::size_t i = 0; i < kEnginePresets.size(); ++i) {
        const EnginePreset& preset = kEnginePresets[i];
        connect(makeAction(table, preset.menuName, QString::fromUtf8(preset.caption),
                           QKeySequence(presetKeys[i])),
                &QAction::triggered, this, [this, i] { applyEnginePreset(i); });
    }
    table->addSeparator();
    connect(makeAction(table, "open_map", QStringLiteral("Открыть...")), &QAction::triggered, this,
            &MainWindow::open_map_Click);
    connect(makeAction(table, "save_map", QStringLiteral("Сохранить...")), &QAction::triggered,
            this, &MainWindow::save_map_Click);
    table->addSeparator();
    connect(makeAction(table, "accuracy", QStringLiteral("Точность таблицы..."),
                       QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, &MainWindow::accuracy_Click);
    table->addSeparator();
    undo_ =
        makeAction(table, "undo", QStringLiteral("Отменить"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ =
        makeAction(table, "redo", QStringLiteral("Повторить"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    // The other usual key for doing a step again.
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    history_ = new FieldHistory(
        undo_, redo_,
        [this](const CurveTexts& texts, MainGraphRedraw redraw) { showCurveTexts(texts, redraw); },
        this);

    QMenu* hlp = makeMenu(bar, "hlp", QStringLiteral("Помощь"));
    connect(makeAction(hlp, "about_programm", QStringLiteral("О программе") + QString(12, u' '),
                       QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &MainWindow::about_programm_Click);

    QAction* exit = bar->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("exit"));
    connect(exit, &QAction::triggered, this, &MainWindow::exit_Click);
}

}  // namespace ign::ui
