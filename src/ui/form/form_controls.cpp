#include "ui/form/form_controls.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <utility>

#include "model/inputs.h"
#include "ui/form/curve_panels.h"
#include "ui/form/editor_overlay.h"
#include "ui/form/field_colours.h"
#include "ui/form/fixed_pictures.h"
#include "ui/form/input_field.h"
#include "ui/form/settings_panel.h"
#include "ui/form/table_panel.h"
#include "ui/form/widget_factory.h"
#include "ui/graphs/raster_surface.h"

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

FormControls::FormControls(QMainWindow* window)
{
    form = new QWidget(window);
    form->setFixedSize(kFormWidth, kFormHeight);
    window->setCentralWidget(form);

    buildGraph();
    curves = std::make_unique<CurvePanels>(form);
    buildSpeedLimits();
    buildListingAndButtons();
    buildMenu(window);
    new AfterFirstPicture(form, [this] { completeForm(); });
}

FormControls::~FormControls() = default;

void FormControls::finishLayout()
{
    setBackgroundColour(form, kWindowColour);
    for (RasterSurface* picture : {picture1, picture2, picture3}) {
        picture->setBackground(kWindowColour);
        RasterSurface::Canvas(*picture).clear();
    }
    setBackgroundColour(label2_0, kWindowColour);
    setBackgroundColour(label3, kWindowColour);
    for (QLabel* label : speedLabels)
        setBackgroundColour(label, kWindowColour);
}

void FormControls::readInto(Inputs& in) const
{
    // The values of the panels not yet built; the built ones and the other
    // controls then give their own.
    if (!settings_ || !table_)
        in = hiddenValues_;
    if (settings_)
        settings_->readInto(in);
    for (std::size_t i = 0; i < 2; ++i)
        in.combo2[i] = combo2[i]->currentText().toStdString();
    curves->readInto(in);
    if (table_)
        table_->readInto(in);
}

void FormControls::applyFrom(const Inputs& in)
{
    // A panel not yet built keeps the values as its fields would take them.
    if (settings_) {
        settings_->applyFrom(in);
    } else {
        for (std::size_t i = 1; i <= 6; ++i)
            hiddenValues_.text1[i] = asFieldKeepsIt(in.text1[i]);
        selectItem(hiddenValues_.combo1[0], kPrescalerItems, in.combo1[0]);
        selectItem(hiddenValues_.combo1[1], kPulseCountItems, in.combo1[1]);
        hiddenValues_.option1 = optionGroupStates(in.option1[0], in.option1[1]);
        hiddenValues_.check1 = in.check1;
    }
    for (std::size_t i = 0; i < 2; ++i)
        combo2[i]->setEditText(QString::fromStdString(in.combo2[i]));
    curves->applyFrom(in);
    if (table_) {
        table_->applyFrom(in);
    } else {
        for (std::size_t i = 0; i < in.text5.size(); ++i)
            hiddenValues_.text5[i] = asFieldKeepsIt(in.text5[i]);
    }
}

bool FormControls::byCoefficients() const
{
    return settings_ ? settings_->byCoefficients() : hiddenValues_.option1[0];
}

void FormControls::completeForm()
{
    buildReadingBox();
    // The listing is empty until the first calculation, so its fixed-pitch
    // face, a font search and a face of its own, waits until now.
    text2->setFont(listingFont());
    curves->buildPointsPanel();
    table_ = std::make_unique<TablePanel>(form);
    table_->applyFrom(hiddenValues_);
    settingsPanel();
    if (formCompleted)
        formCompleted();
}

void FormControls::buildReadingBox()
{
    text3 = new QPlainTextEdit(QStringLiteral("n = 11000\na = 50,0\n"), form);
    text3->setObjectName(QStringLiteral("Text3"));
    text3->setFont(serifFont(8.25));
    // Its reading sizes it and turns its scroll bars off.
    text3->move(60, 60);
    text3->hide();
}

SettingsPanel& FormControls::settingsPanel()
{
    if (!settings_) {
        auto* panel = new SettingsPanel(form);
        panel->hide();
        panel->move((form->width() - panel->width()) / 2, (form->height() - panel->height()) / 2);
        panel->applyFrom(hiddenValues_);
        settings_ = panel;
        if (settingsBuilt)
            settingsBuilt(*panel);
    }
    return *settings_;
}

EditorOverlay& FormControls::buildEditor()
{
    editor = std::make_unique<EditorOverlay>(form);
    for (RasterSurface* picture : {editor->picture4(), editor->picture5(), editor->picture6()}) {
        picture->setBackground(kWindowColour);
        RasterSurface::Canvas(*picture).clear();
    }
    setBackgroundColour(editor->frame6(), kWindowColour);
    editor->frame6()->move(0, 0);
    return *editor;
}

QWidget* FormControls::field(Highlight highlight)
{
    switch (highlight) {
    case Highlight::Combo2_0:
        return combo2[0];
    case Highlight::Combo2_1:
        return combo2[1];
    case Highlight::Text1_3:
        return settingsPanel().text1(3);
    case Highlight::Text1_4:
        return settingsPanel().text1(4);
    case Highlight::None:
        break;
    }
    return nullptr;
}

void FormControls::buildGraph()
{
    label3 = makeLabel(form, QStringLiteral("Label3"),
                       QStringLiteral("Зависимость УОЗ от оборотов КВ"), QRect(52, 10, 445, 26));
    label3->setFont(titleFont(12));
    label3->setAlignment(Qt::AlignCenter);
    // The scales first, so the graph lies above them.
    picture3 = makeSurface(form, "Picture3", QRect(30, 40, 21, 209), false);
    picture2 = makeSurface(form, "Picture2", QRect(46, 252, 457, 17), false);
    picture1 = makeSurface(form, "Picture1", QRect(52, 44, 445, 205), true);
    image4 = new QLabel(form);
    image4->setObjectName(QStringLiteral("Image4"));
    image4->setGeometry(12, 122, 19, 62);
    image4->setPixmap(angleCaptionPicture(image4->size(), kWindowColour));
    label2_0 = makeLabel(form, elementName("Label2", 0), QStringLiteral("n, об/мин"),
                         QRect(244, 270, 90, 18));
}

void FormControls::buildSpeedLimits()
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
        speedLabels[static_cast<std::size_t>(2 * i)] =
            makeLabel(form, elementName("Label1", row.caption), QString::fromUtf8(row.text),
                      QRect(16, y, 264, 48));
        // Wide enough for a typed speed of seven characters.
        combo2[static_cast<std::size_t>(i)] =
            makeCombo(form, elementName("Combo2", i), row.items, true, QRect(284, y + 8, 88, 24));
        speedLabels[static_cast<std::size_t>(2 * i + 1)] =
            makeLabel(form, elementName("Label1", row.unit), QStringLiteral("об/мин"),
                      QRect(378, y + 12, 50, 18));
    }
}

void FormControls::buildListingAndButtons()
{
    text2 = new QPlainTextEdit(form);
    text2->setObjectName(QStringLiteral("Text2"));
    text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text2->setGeometry(432, 274, 345, 220);
    command1 = makeButton(form, QStringLiteral("Command1"), QStringLiteral("Рассчитать"),
                          QRect(432, 504, 109, 30), kComputeButtonColour);
    command2 = makeButton(form, QStringLiteral("Command2"), QStringLiteral("Сохранить"),
                          QRect(550, 504, 109, 30), kSaveButtonColour);
    command3 = makeButton(form, QStringLiteral("Command3"), QStringLiteral("Сброс"),
                          QRect(668, 504, 109, 30), kCancelButtonColour);
}

void FormControls::buildMenu(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    QMenu* file = makeMenu(bar, "file", QStringLiteral("Файл"));
    save_table =
        makeAction(file, "save_table", QStringLiteral("Сохранить таблицу .asm") + QString(8, u' '),
                   QKeySequence(Qt::CTRL | Qt::Key_S));
    open_table = makeAction(file, "open_table", QStringLiteral("Открыть таблицу"),
                            QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    make_hex = makeAction(file, "make_hex", QStringLiteral("Создать прошивку .hex"),
                          QKeySequence(Qt::Key_F9));

    settingsCommand = bar->addAction(QStringLiteral("Настройки"));
    settingsCommand->setObjectName(QStringLiteral("settings"));

    QMenu* table = makeMenu(bar, "table", QStringLiteral("График УОЗ"));
    ij = makeAction(table, "ij", QStringLiteral("ИЖ"), QKeySequence(Qt::Key_F2));
    ural = makeAction(table, "ural", QStringLiteral("Урал"), QKeySequence(Qt::Key_F3));
    jawa = makeAction(table, "jawa", QStringLiteral("Ява"), QKeySequence(Qt::Key_F4));
    table->addSeparator();
    open_map = makeAction(table, "open_map", QStringLiteral("Открыть..."));
    save_map = makeAction(table, "save_map", QStringLiteral("Сохранить..."));
    table->addSeparator();
    accuracy = makeAction(table, "accuracy", QStringLiteral("Точность таблицы..."),
                          QKeySequence(Qt::CTRL | Qt::Key_T));
    table->addSeparator();
    undo =
        makeAction(table, "undo", QStringLiteral("Отменить"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo =
        makeAction(table, "redo", QStringLiteral("Повторить"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    // The other usual key for doing a step again.
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    QMenu* hlp = makeMenu(bar, "hlp", QStringLiteral("Помощь"));
    about_programm =
        makeAction(hlp, "about_programm", QStringLiteral("О программе") + QString(12, u' '),
                   QKeySequence(Qt::Key_F1));

    exit = bar->addAction(QStringLiteral("Выход"));
    exit->setObjectName(QStringLiteral("exit"));
}

}  // namespace ign::ui
