#include "support/window_fixture.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>

#include "ui/form/field_colours.h"
#include "ui/form/widget_factory.h"
#include "ui/graphs/reading_box.h"
#include "ui/platform/qt_translation.h"

namespace ign::ui::test {
namespace {

using Layout = WindowTest;

QString captionOf(const QObject* o)
{
    if (auto* w = qobject_cast<const QLabel*>(o))
        return w->text();
    if (auto* w = qobject_cast<const QAbstractButton*>(o))
        return w->text();
    if (auto* w = qobject_cast<const QLineEdit*>(o))
        return w->text();
    if (auto* w = qobject_cast<const QPlainTextEdit*>(o))
        return w->toPlainText();
    if (auto* w = qobject_cast<const ReadingBox*>(o))
        return w->toPlainText();
    if (auto* w = qobject_cast<const QGroupBox*>(o))
        return w->title();
    if (auto* w = qobject_cast<const QAction*>(o))
        return w->text();
    if (auto* w = qobject_cast<const QMenu*>(o))
        return w->title();
    return QStringLiteral("<no caption>");
}

TEST_F(Layout, CaptionsAndInitialTexts)
{
    const struct {
        const char* name;
        QString caption;
    } rows[] = {
        {"Label3", QStringLiteral("Зависимость УОЗ от оборотов КВ")},
        {"Label2_0", QStringLiteral("n, об/мин")},
        {"Label1_4",
         QStringLiteral("  Минимальные  обороты  КВ, c которых начи- нает работать "
                        "регулировка УОЗ")},
        {"Label1_3", QStringLiteral("об/мин")},
        {"Label1_7", QStringLiteral("  Максимальные  обороты  КВ при  включенной функции обкатка")},
        {"Label1_8", QStringLiteral("об/мин")},
        {"Text3", QStringLiteral("n = 11000\na = 50,0\n")},
        {"Text7", QStringLiteral("Text7")},
        {"Command1", QStringLiteral("Рассчитать")},
        {"Command2", QStringLiteral("Сохранить")},
        {"Command3", QStringLiteral("Сброс")},
        {"Command4", QStringLiteral("Применить")},
        {"Command5", QStringLiteral("Отмена")},
        {"Command8", QStringLiteral("Применить")},
        {"Command7", QStringLiteral("Отмена")},
        {"Frame1", QStringLiteral("Настройки")},
        {"Frame2_0", QStringLiteral("Контроллер")},
        {"Frame2_1", QStringLiteral("Датчик")},
        {"Frame2_2", QStringLiteral("Расчет")},
        {"Label1_0",
         QStringLiteral("Коэффициенты функции зависи-     мости угла опережения "
                        "зажига-        ния  от  оборотов KB")},
        {"Label1_1", QStringLiteral("Коэффициент деления предделителя TMR1")},
        {"Label1_12", QStringLiteral("Время рассчета УОЗ, мкс")},
        {"Label1_5", QStringLiteral("Рабочая частота тактово- го генератора,  МГц")},
        {"Label1_10", QStringLiteral("Задержка обработки сигнала с датчика, мкс")},
        {"Label1_11", QStringLiteral("Длительность управляю- щего импульса, мкс")},
        {"Label1_6", QStringLiteral("Начальный угол опереже- ния зажигания, град")},
        {"Label1_9", QStringLiteral("Угол между отрицаель- ным и положительным импульсами, град")},
        {"Label1_13", QStringLiteral("Число отрицательных импульсов за один оборот КВ")},
        {"Option1_0", QStringLiteral("По коэффициентам")},
        {"Option1_1", QStringLiteral("По точкам")},
        {"Check1", QStringLiteral("   Автоматически  сохранять результаты раcчетов перед выходом")},
        {"Label2_10", QStringLiteral("a=")},
        {"Label2_11", QStringLiteral("b=")},
        {"Label2_9", QStringLiteral("c=")},
        {"Label2_13", QStringLiteral("1000 об/мин")},
        {"Label2_22", QStringLiteral("10000 об/мин")},
        {"Label2_1", QStringLiteral("14000 об/мин")},
        {"file", QStringLiteral("Файл")},
        {"settings", QStringLiteral("Настройки")},
        {"table", QStringLiteral("График УОЗ")},
        {"hlp", QStringLiteral("Помощь")},
        {"exit", QStringLiteral("Выход")},
        {"save_table", QStringLiteral("Сохранить таблицу .asm        ")},
        {"open_table", QStringLiteral("Открыть таблицу")},
        {"make_hex", QStringLiteral("Создать прошивку .hex")},
        {"ij", QStringLiteral("ИЖ")},
        {"ural", QStringLiteral("Урал")},
        {"jawa", QStringLiteral("Ява")},
        {"open_map", QStringLiteral("Открыть...")},
        {"save_map", QStringLiteral("Сохранить...")},
        {"about_programm", QStringLiteral("О программе            ")},
    };
    start();
    window->pointsEditor();
    EXPECT_EQ(window->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Калькулятор зажигания"));
    for (const auto& row : rows) {
        const QObject* o = window->findChild<QObject*>(QLatin1String(row.name));
        ASSERT_NE(o, nullptr) << row.name;
        EXPECT_EQ(captionOf(o), row.caption) << row.name;
    }
    const QTabWidget* tabs = find<QTabWidget>(QStringLiteral("TabStrip1"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("График 1"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("График 2"));
    EXPECT_FALSE(tabs->tabIcon(0).isNull());
}

TEST_F(Layout, ControlArraysHaveTheirElements)
{
    const struct {
        const char* array;
        std::vector<int> indices;
    } rows[] = {
        // Label1(2) and (14) to (43) belonged to the table panel, whose texts
        // live in the model only.
        {"Label1", {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}},
        {"Label2", {0, 1, 9, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}},
        {"Text1", {1, 2, 3, 4, 5, 6}},
        {"Text4", {0, 1, 2, 3, 4, 5}},
        {"Text5", {}},
        {"Text6", {}},  // 0..23
        {"Frame2", {0, 1, 2}},
        {"Option1", {0, 1}},
        {"Combo1", {0, 1}},
        {"Combo2", {0, 1}},
    };
    start();
    for (const auto& row : rows) {
        std::vector<int> indices = row.indices;
        const int count = std::string(row.array) == "Text6" ? 24 : 0;
        for (int i = 0; i < count; ++i)
            indices.push_back(i);
        const QString prefix = QLatin1String(row.array) + QLatin1Char('_');
        int found = 0;
        for (const QObject* o : window->findChildren<QObject*>())
            found += o->objectName().startsWith(prefix);
        EXPECT_EQ(found, static_cast<int>(indices.size())) << row.array;
        for (int i : indices)
            EXPECT_NE(window->findChild<QObject*>(prefix + QString::number(i)), nullptr)
                << row.array << " " << i;
    }
}

TEST_F(Layout, PlacesAndSizesInPixels)
{
    const struct {
        const char* name;
        QRect rect;
    } rows[] = {
        {"Picture1", {52, 44, 445, 205}},   {"Picture2", {46, 252, 457, 17}},
        {"Picture3", {30, 40, 21, 209}},    {"Image4", {12, 122, 19, 62}},
        {"TabStrip1", {512, 24, 265, 233}}, {"Frame6", {0, 0, 801, 577}},
        {"Picture4", {36, 4, 730, 505}},    {"Picture5", {12, 4, 25, 521}},
        {"Picture6", {36, 508, 1025, 17}},  {"Command8", {528, 528, 109, 21}},
        {"Command7", {644, 528, 109, 21}},
    };
    start();
    // The points editor is built at its first opening, not at the start.
    EXPECT_EQ(window->findChild<QObject*>(QStringLiteral("Frame6")), nullptr);
    window->pointsEditor();
    for (const auto& row : rows)
        EXPECT_EQ(find(QLatin1String(row.name))->geometry(), row.rect) << row.name;
    const QRect frame5 = find(QStringLiteral("Frame5"))->geometry();
    EXPECT_EQ(frame5.topLeft(), QPoint(524, 52));
    EXPECT_EQ(frame5.height(), 200);
    for (const char* hidden : {"Frame1", "Frame6", "Text3", "Text7"})
        EXPECT_TRUE(find(QLatin1String(hidden))->isHidden()) << hidden;
}

TEST_F(Layout, ColoursFontsAndLists)
{
    start();
    window->pointsEditor();
    const struct {
        const char* name;
        QColor colour;
    } buttons[] = {
        {"Command1", kComputeButtonColour}, {"Command2", kSaveButtonColour},
        {"Command3", kCancelButtonColour},  {"Command4", kComputeButtonColour},
        {"Command5", kCancelButtonColour},  {"Command8", kComputeButtonColour},
        {"Command7", kCancelButtonColour},
    };
    for (const auto& row : buttons)
        EXPECT_EQ(button(row.name)->palette().color(QPalette::Button), row.colour) << row.name;
    EXPECT_EQ(QColor(191, 191, 191), kWindowColour);
    for (const char* name : {"Label3", "Label2_0", "Label1_3", "Label1_4", "Frame6"})
        EXPECT_EQ(find(QLatin1String(name))->palette().color(QPalette::Window), kWindowColour)
            << name;
    EXPECT_EQ(window->centralWidget()->palette().color(QPalette::Window), kWindowColour);
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(picture(n).background(), kWindowColour) << n;

    // The listing's columns line up: every character has the same width.
    const QFontMetrics listing(find(QStringLiteral("Text2"))->font());
    EXPECT_EQ(listing.horizontalAdvance(QStringLiteral("iiii")),
              listing.horizontalAdvance(QStringLiteral("WW.Ж")));
    EXPECT_TRUE(find(QStringLiteral("Label3"))->font().bold());

    EXPECT_FALSE(combo("Combo1", 0)->isEditable());
    EXPECT_FALSE(combo("Combo1", 1)->isEditable());
    EXPECT_TRUE(combo("Combo2", 0)->isEditable());
    EXPECT_EQ(combo("Combo1", 0)->count(), 4);
    EXPECT_EQ(combo("Combo2", 0)->itemText(0), QStringLiteral("950"));
    EXPECT_EQ(combo("Combo2", 1)->count(), 8);
    EXPECT_FALSE(field("Text1", 1)->isEnabled());
    EXPECT_FALSE(field("Text1", 2)->isEnabled());
    EXPECT_TRUE(field("Text1", 3)->isEnabled());
}

// The width a line edit gives its text, as it lays the text out: inside the
// frame, less its text margins and the two pixels it keeps free on each side.
int textRoom(const QLineEdit& e)
{
    QStyleOptionFrame option;
    option.initFrom(&e);
    option.rect = e.rect();
    option.lineWidth = e.hasFrame() ? e.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    const QRect contents = e.style()->subElementRect(QStyle::SE_LineEditContents, &option, &e);
    return contents.marginsRemoved(e.textMargins()).width() - 2 * 2;
}

TEST_F(Layout, NumericFieldsShowTheirWholeText)
{
    // The longest texts the program writes into each kind of field -- the
    // editor's short form, numbers loaded from a map file, the presets -- and
    // a typed value of seven characters.
    const QStringList pointTexts = {QStringLiteral(" 100.25"), QStringLiteral("-12.5"),
                                    QStringLiteral(" 21.75"),  QStringLiteral("12345"),
                                    QStringLiteral("-123.45"), QStringLiteral("-0.0125")};
    const QStringList coefficientTexts = {QStringLiteral("391.8"), QStringLiteral("26.06"),
                                          QStringLiteral("-1919.125"), QStringLiteral("0.000125")};
    const QStringList settingTexts = {QStringLiteral("1234567"), QStringLiteral("-47.125")};
    start();
    std::vector<std::pair<const QLineEdit*, const QStringList*>> rows;
    for (int i = 1; i <= 23; ++i)
        if (i != 11)
            rows.push_back({field("Text6", i), &pointTexts});
    for (int i = 0; i < 6; ++i)
        rows.push_back({field("Text4", i), &coefficientTexts});
    for (int i = 1; i <= 6; ++i)
        rows.push_back({field("Text1", i), &settingTexts});
    for (int i = 0; i < 2; ++i)
        rows.push_back({combo("Combo2", i)->lineEdit(), &settingTexts});
    for (const auto& [edit, texts] : rows) {
        const QFontMetrics metrics(edit->font());
        for (const QString& text : *texts)
            // One pixel is left for the text cursor.
            EXPECT_LT(metrics.horizontalAdvance(text), textRoom(*edit))
                << edit->objectName().toStdString() << " " << edit->parentWidget()->objectName().toStdString()
                << " cuts \"" << text.toStdString() << "\"";
    }
    // Widening the fields moves no panel out of the tab strip.
    const QRect tabs = find(QStringLiteral("TabStrip1"))->geometry();
    for (const char* panel : {"Frame3", "Frame5"})
        EXPECT_TRUE(tabs.contains(find(QLatin1String(panel))->geometry())) << panel;
}

// Tab goes through the fields in the order they are laid out on the form, the
// panels built after the first picture included.
TEST_F(Layout, TabGoesThroughTheFieldsInTheFormsOrder)
{
    start();
    QStringList order;
    for (QWidget* w = find(QStringLiteral("Text4_0")); w && order.size() < 40;
         w = w->nextInFocusChain()) {
        const QString name = w->objectName();
        if (name.startsWith(QLatin1String("Text4_")) || name.startsWith(QLatin1String("Text6_")) ||
            name.startsWith(QLatin1String("Combo2_")) || name == QLatin1String("Text2"))
            order << name.mid(4);
        if (name == QLatin1String("Text2"))
            break;
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')).toStdString(),
              QStringLiteral("4_0 4_3 4_1 4_4 4_2 4_5 6_1 6_12 6_2 6_13 6_3 6_14 6_4 6_15 6_5 "
                             "6_16 6_6 6_17 6_7 6_18 6_8 6_19 6_9 6_20 6_10 6_21 6_22 6_23 6_0 "
                             "6_11 o2_0 o2_1 2")
                  .toStdString());
}

TEST_F(Layout, MenuShortcuts)
{
    const struct {
        const char* name;
        QKeySequence keys;
    } rows[] = {
        {"save_table", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"open_table", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"make_hex", QKeySequence(Qt::Key_F9)},
        {"ij", QKeySequence(Qt::Key_F2)},
        {"ural", QKeySequence(Qt::Key_F3)},
        {"jawa", QKeySequence(Qt::Key_F4)},
        {"about_programm", QKeySequence(Qt::Key_F1)},
    };
    start();
    for (const auto& row : rows)
        EXPECT_EQ(action(row.name)->shortcut(), row.keys) << row.name;
}

// The window names the face the machine serves for its serif and scale fonts
// and keeps other faces out, which spares the start most of its font searches;
// every text written in them must come out as the plain request draws it.
TEST(Fonts, NamingTheServedFaceChangesNoPixel)
{
    const auto drawn = [](const QFont& font, const QString& text) {
        QImage image(420, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.drawText(image.rect(), Qt::AlignCenter, text);
        return image;
    };
    const auto requested = [](double size, bool bold, bool italic) {
        QFont font;
        font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("serif")});
        font.setStyleHint(QFont::Serif);
        font.setPointSizeF(size);
        font.setBold(bold);
        font.setItalic(italic);
        return font;
    };
    QFont italic = serifFont(13);
    italic.setItalic(true);
    const struct {
        QFont served, plain;
        QString text;
    } rows[] = {
        {titleFont(12), requested(12, true, false),
         QStringLiteral("Зависимость УОЗ от оборотов КВ")},
        {italic, requested(13, false, true), QStringLiteral("α = a·n − b / n + c")},
        {serifFont(9), requested(9, false, false), QStringLiteral("α, град")},
        {serifFont(8.25), requested(8.25, false, false), QStringLiteral("n = 11000 a = -12,5")},
        {titleFont(10), requested(10, true, false), QStringLiteral("Контроллер Датчик Расчет")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(drawn(row.served, row.text), drawn(row.plain, row.text))
            << row.text.toStdString();
    QFont scale;
    scale.setStyleHint(QFont::SansSerif);
    scale.setPointSizeF(8.25);
    scale.setStyleStrategy(QFont::NoAntialias);
    EXPECT_EQ(drawn(scaleFont(), QStringLiteral("-20 0 1000 11000 50")),
              drawn(scale, QStringLiteral("-20 0 1000 11000 50")));
}

TEST(QtTranslation, StandardButtonsSpeakRussian)
{
    const auto translation = installQtTranslation();
    ASSERT_NE(translation, nullptr) << "Qt's Russian translation is not installed";
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Отмена"));
}

}  // namespace
}  // namespace ign::ui::test
