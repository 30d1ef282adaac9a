#include "ui/form/form_controls.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

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
    table = std::make_unique<TablePanel>(form);
    settings = new SettingsPanel(form);
    settings->hide();
    buildMenu(window);
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
    settings->move((form->width() - settings->width()) / 2,
                   (form->height() - settings->height()) / 2);
    for (QLabel* label : speedLabels)
        setBackgroundColour(label, kWindowColour);
    curves->placePointsPanel();
}

void FormControls::readInto(Inputs& in) const
{
    settings->readInto(in);
    for (std::size_t i = 0; i < 2; ++i)
        in.combo2[i] = combo2[i]->currentText().toStdString();
    curves->readInto(in);
    table->readInto(in);
}

void FormControls::applyFrom(const Inputs& in)
{
    settings->applyFrom(in);
    for (std::size_t i = 0; i < 2; ++i)
        combo2[i]->setEditText(QString::fromStdString(in.combo2[i]));
    curves->applyFrom(in);
    table->applyFrom(in);
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

QWidget* FormControls::field(Highlight highlight) const
{
    switch (highlight) {
    case Highlight::Combo2_0:
        return combo2[0];
    case Highlight::Combo2_1:
        return combo2[1];
    case Highlight::Text1_3:
        return settings->text1(3);
    case Highlight::Text1_4:
        return settings->text1(4);
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
    text3 = new QPlainTextEdit(QStringLiteral("n = 11000\na = 50,0\n"), form);
    text3->setObjectName(QStringLiteral("Text3"));
    text3->setFont(serifFont(8.25));
    text3->setGeometry(60, 60, 70, 34);
    // As the editor's reading box: no scroll bars.
    text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text3->hide();
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
    text2->setFont(listingFont());
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
