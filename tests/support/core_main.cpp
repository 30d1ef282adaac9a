// The core tests run under whatever locale the environment names, as the
// window does: a Russian locale turns strtod and printf to the decimal comma,
// and the number rules must not notice.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    if (std::getenv("IGN_EXPECT_RUSSIAN_LOCALE") != nullptr) {
        // Prove the locale took effect; otherwise the run would test nothing new.
        if (std::strtod("1,5", nullptr) != 1.5) {
            std::fprintf(stderr, "the Russian locale is not installed or not active\n");
            return 1;
        }
        std::locale::global(std::locale(""));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
