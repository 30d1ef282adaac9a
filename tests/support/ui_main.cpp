// Widget tests run without a display; the platform must be chosen before the
// application object exists, also when the test runner lists the tests at
// build time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    // Offscreen, Qt for Windows draws with the fonts of one folder (DejaVu's
    // under wine) and knows none of the faces the window asks for by name;
    // they stand in here as fontconfig's aliases do elsewhere.
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("DejaVu Serif"));
    QFont::insertSubstitution(QStringLiteral("serif"), QStringLiteral("DejaVu Serif"));
    QFont::insertSubstitution(QStringLiteral("monospace"), QStringLiteral("DejaVu Sans Mono"));
    QFont::insertSubstitution(QStringLiteral("Sans Serif"), QStringLiteral("DejaVu Sans"));
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
