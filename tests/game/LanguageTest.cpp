// SPDX-License-Identifier: MIT
#include "game/Language.h"
#include "GameTestSupport.h"

// Catches a language chosen past the player's first wish, English overridden by a later one, or a language not
// shipped taken for one that is.
TEST(Languages, TheFirstOfThePlayersLanguagesThatIsShippedOrEnglish) {
    const std::vector<std::pair<QStringList, QString>> rows{{{"de-DE"}, "de"},
                                                            {{"fr_CA.UTF-8"}, "fr"},
                                                            {{"it", "es-ES", "de"}, "es"},
                                                            {{"en-GB", "de"}, ""},
                                                            {{"C"}, ""},
                                                            {{"pt-BR", "nl"}, ""},
                                                            {{}, ""}};
    for (const auto &[preferred, code] : rows) {
        EXPECT_EQ(Language::chosen(preferred), code) << preferred.join(u':').toStdString();
    }
}
