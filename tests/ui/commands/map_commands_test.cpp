#include "support/fake_message_boxes.h"
#include "support/fake_platform_services.h"
#include "ui/commands/map_commands.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace ign::ui::test {
namespace {

struct Commands {
    FakeFileDialogs dialogs;
    FakeMessageBoxes boxes;
    MapCommands commands{dialogs, boxes, nullptr};
    Inputs in = initialInputs();
};

QByteArray readAll(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(MapCommands, CancelChangesNothingAndWritesNothing)
{
    QTemporaryDir folder;
    Commands c;
    const Inputs before = c.in;

    EXPECT_FALSE(c.commands.openMap(c.in, 0));
    EXPECT_FALSE(c.commands.saveMap(c.in, 1));

    EXPECT_EQ(c.in.text4, before.text4);
    EXPECT_EQ(c.in.text6, before.text6);
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_TRUE(c.boxes.asked.empty());
    ASSERT_EQ(c.dialogs.asked.size(), 2u);
    EXPECT_FALSE(c.dialogs.asked[0].save);
    EXPECT_EQ(c.dialogs.asked[0].request.title, QStringLiteral("Загрузить файл"));
    EXPECT_EQ(c.dialogs.asked[0].request.filter, QStringLiteral("Таблица УОЗ (*.map)"));
    EXPECT_TRUE(c.dialogs.asked[1].save);
    EXPECT_EQ(c.dialogs.asked[1].request.title, QStringLiteral("Сохранить файл"));
    EXPECT_EQ(c.dialogs.asked[1].request.filter, QStringLiteral("Таблица УОЗ (*.map)"));
}

TEST(MapCommands, CurveSavedFromOneCharacteristicLoadsIntoTheOther)
{
    QTemporaryDir folder;
    // No extension: the file takes the name exactly as chosen.
    const QString name = QDir(folder.path()).filePath(QStringLiteral("ИЖ кривая"));
    Commands c;
    c.in.text4[0] = "26.06";
    c.in.text4[1] = "391.8";
    c.in.text4[2] = "2151";
    c.in.text6[7] = "20.0";
    c.in.text6[22] = "21.7";
    const Inputs saved = c.in;

    c.dialogs.answers = {name, std::nullopt, name};
    ASSERT_TRUE(c.commands.saveMap(c.in, 0));
    EXPECT_TRUE(readAll(name).startsWith("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n20.0\r\n"));

    // A cancel in between keeps the name for the next dialog.
    EXPECT_FALSE(c.commands.openMap(c.in, 1));
    EXPECT_EQ(c.dialogs.asked[1].request.fileName, name);

    ASSERT_TRUE(c.commands.openMap(c.in, 1));
    EXPECT_EQ(c.dialogs.asked[2].request.fileName, name);
    EXPECT_EQ(c.in.text4[3], "26.06");
    EXPECT_EQ(c.in.text4[4], "391.8");
    EXPECT_EQ(c.in.text4[5], "2151");
    EXPECT_EQ(c.in.text6[12], "1");
    EXPECT_EQ(c.in.text6[18], "20");
    EXPECT_EQ(c.in.text6[21], "10");
    EXPECT_EQ(c.in.text6[23], "21.7");
    EXPECT_EQ(c.in.text6[11], saved.text6[11]);  // the 0 rpm point is not in the file
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(c.in.text6[static_cast<std::size_t>(i)],
                  saved.text6[static_cast<std::size_t>(i)]);
    EXPECT_EQ(c.in.text6[22], saved.text6[22]);
    EXPECT_TRUE(c.boxes.asked.empty());
}

TEST(MapCommands, FileThatCannotBeReadOrWrittenIsNamedWithTheReason)
{
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("нет/кривая.map"));
    Commands c;
    const Inputs before = c.in;
    c.dialogs.answers = {missing, missing};

    EXPECT_FALSE(c.commands.openMap(c.in, 0));
    EXPECT_EQ(c.in.text4, before.text4);
    EXPECT_EQ(c.in.text6, before.text6);
    EXPECT_FALSE(c.commands.saveMap(c.in, 0));

    ASSERT_EQ(c.boxes.asked.size(), 2u);
    const QString shown = QDir::toNativeSeparators(missing);
    EXPECT_TRUE(c.boxes.asked[0].text.startsWith(QStringLiteral("Не удалось прочитать файл ") +
                                                 shown + QStringLiteral(": ")))
        << c.boxes.asked[0].text.toStdString();
    EXPECT_TRUE(c.boxes.asked[1].text.startsWith(QStringLiteral("Не удалось сохранить файл ") +
                                                 shown + QStringLiteral(": ")))
        << c.boxes.asked[1].text.toStdString();
    for (const AskedBox& box : c.boxes.asked) {
        EXPECT_GT(
            box.text.size(),
            (QStringLiteral("Не удалось сохранить файл ") + shown + QStringLiteral(": ")).size());
        EXPECT_EQ(box.title, QStringLiteral("Калькулятор зажигания"));
        EXPECT_EQ(box.icon, Icon::Critical);
    }
    EXPECT_FALSE(QFile::exists(missing));
}

}  // namespace
}  // namespace ign::ui::test
