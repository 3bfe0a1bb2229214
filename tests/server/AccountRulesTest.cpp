// Account field rules and the country list.
#include <gtest/gtest.h>

#include "AccountRules.h"
#include "Countries.h"

TEST(AccountRules, UserNamesHaveThreeToTwentySafeCharacters) {
    EXPECT_FALSE(userNameProblem("bob"));
    EXPECT_FALSE(userNameProblem("Player_1.x-y"));
    EXPECT_FALSE(userNameProblem(std::string(20, 'a')));
    EXPECT_TRUE(userNameProblem(""));
    EXPECT_TRUE(userNameProblem("ab"));
    EXPECT_TRUE(userNameProblem(std::string(21, 'a')));
    EXPECT_FALSE(userNameProblem("John Smith"));
    EXPECT_FALSE(userNameProblem("ala kot ma psa"));
    for (const char* name : {" john", "john ", "john  smith", "a\tb", "bob'--", "a\"b", "[bob]",
                             "b\xc3\xb6"
                             "b",
                             "bo\nb"}) {
        EXPECT_TRUE(userNameProblem(name)) << name;
    }
}

TEST(AccountRules, TheAnonymousPlayersNameIsReservedInAnyCase) {
    EXPECT_TRUE(userNameProblem("defaultUser"));
    EXPECT_TRUE(userNameProblem("DEFAULTUSER"));
    EXPECT_FALSE(userNameProblem("defaultUser2"));
    EXPECT_TRUE(userNameProblem("DefaultUSER"));
}

TEST(AccountRules, PasswordsAreSixToSixtyFourBytesOfUtf8WithoutControls) {
    EXPECT_FALSE(passwordProblem("secret"));
    EXPECT_FALSE(passwordProblem("with spaces and 'quotes' \xc5\xbc\xc3\xb3\xc5\x82w"));
    EXPECT_FALSE(passwordProblem(std::string(64, 'x')));
    EXPECT_TRUE(passwordProblem("short"));
    EXPECT_TRUE(passwordProblem(std::string(65, 'x')));
    EXPECT_TRUE(passwordProblem("tab\there"));
    EXPECT_TRUE(passwordProblem("bad \xff\xfe bytes"));
}

TEST(AccountRules, MailAddressesNeedALocalPartAndADottedDomain) {
    EXPECT_FALSE(mailProblem("bob@example.com"));
    EXPECT_FALSE(mailProblem("a.b+c@mail.example.co.uk"));
    for (const char* mail : {"", "bob", "@example.com", "bob@", "bob@example", "bob@.com",
                             "bob@example.", "bob@exa..mple.com", "bob@@example.com",
                             "b@b@example.com", "bob smith@example.com", "bob@exa\nmple.com"}) {
        EXPECT_TRUE(mailProblem(mail)) << mail;
    }
    EXPECT_TRUE(mailProblem(std::string(250, 'a') + "@example.com"));
}

TEST(AccountRules, Utf8ValidationRefusesMalformedSequences) {
    EXPECT_TRUE(isValidUtf8("plain \xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"));
    EXPECT_FALSE(isValidUtf8("\xc0\xaf"));          // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xf4\x90\x80\x80"));  // past U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xe2\x82"));          // cut short
    EXPECT_FALSE(isValidUtf8("\x80"));              // stray continuation
}

TEST(Countries, OnlyTheGamesNamesAreKnownExactlyAsWritten) {
    for (const char* name :
         {"Afghanistan", "Zimbabwe", "Colombi", "Nepa", "Gambia, The", "Cote d'Ivoire",
          "Congo (Brazzaville)", "Korea, South", "East Timor (Timor Timur)", "United States"}) {
        EXPECT_TRUE(isKnownCountry(name)) << name;
    }
    for (const char* name : {"", "Colombia", "Nepal", "poland", "Poland ", "Atlantis"}) {
        EXPECT_FALSE(isKnownCountry(name)) << name;
    }
}
