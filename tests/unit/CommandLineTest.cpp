// Splitting the command line into words and reading the options from them.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

using Words = std::vector<std::wstring>;

TEST(SplitCommandLine, SpacesSeparateButTabsDoNot)
{
    EXPECT_EQ(SplitCommandLine(L"prog.exe a  b   c  "), (Words{L"prog.exe", L"a", L"b", L"c"}));
    EXPECT_EQ(SplitCommandLine(L"prog.exe a\tb"), (Words{L"prog.exe", L"a\tb"}));
    EXPECT_EQ(SplitCommandLine(L""), Words{});
    EXPECT_EQ(SplitCommandLine(L"   "), Words{});
}

TEST(SplitCommandLine, QuotedWords)
{
    EXPECT_EQ(SplitCommandLine(L"\"C:\\My Programs\\t.exe\" \"my rec.rec\""),
              (Words{L"C:\\My Programs\\t.exe", L"my rec.rec"}));
    // A closing quote ends the word; what follows starts the next one.
    EXPECT_EQ(SplitCommandLine(L"p \"ab\"cd"), (Words{L"p", L"ab", L"cd"}));
    // Two quotes make an empty word.
    EXPECT_EQ(SplitCommandLine(L"p x.rec \"\""), (Words{L"p", L"x.rec", L""}));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(SplitCommandLine(L"p \"a b "), (Words{L"p", L"a b "}));
    // A quote inside a word is an ordinary character, and there is no escape.
    EXPECT_EQ(SplitCommandLine(L"p ab\"c d\" e\\\"f"), (Words{L"p", L"ab\"c", L"d\"", L"e\\\"f"}));
}

static CommandLineSettings Read(const Words& parameters)
{
    Words words{L"Tandrel.exe"};
    words.insert(words.end(), parameters.begin(), parameters.end());
    CommandLineSettings settings{1, 0, L""};
    ReadCommandLineParameters(words, &settings);
    return settings;
}

TEST(ReadCommandLineParameters, NoParametersIsInteractive)
{
    CommandLineSettings s = Read({});
    EXPECT_EQ(s.speedDivisor, 1);
    EXPECT_EQ(s.repeatCount, 0);
    EXPECT_EQ(s.playbackPath, L"");
}

TEST(ReadCommandLineParameters, SpeedIsClampedToTwoThroughTen)
{
    EXPECT_EQ(Read({L"/speed=4"}).speedDivisor, 4);
    EXPECT_EQ(Read({L"/SPEED=4"}).speedDivisor, 4);
    EXPECT_EQ(Read({L"/Speed=3=9"}).speedDivisor, 3);
    for (const wchar_t* low : {L"/speed=1", L"/speed=0", L"/speed=-5", L"/speed=abc", L"/speed", L"/speed="})
        EXPECT_EQ(Read({low}).speedDivisor, 2) << low;
    EXPECT_EQ(Read({L"/speed=25"}).speedDivisor, 10);
    EXPECT_EQ(Read({L"/speed=$A"}).speedDivisor, 10);
    EXPECT_EQ(Read({L"/speed=4", L"/speed=6"}).speedDivisor, 6);
}

TEST(ReadCommandLineParameters, RepeatsIsNotClamped)
{
    EXPECT_EQ(Read({L"x.rec", L"/repeats=2"}).repeatCount, 2);
    EXPECT_EQ(Read({L"/REPEATS=-1"}).repeatCount, -1);
    EXPECT_EQ(Read({L"/repeats"}).repeatCount, 0);
    EXPECT_EQ(Read({L"/repeats=4294967297"}).repeatCount, 1);  // low 32 bits
}

TEST(ReadCommandLineParameters, EverythingElseIsThePlaybackPathAndTheLastOneWins)
{
    EXPECT_EQ(Read({L"a.rec", L"b.rec"}).playbackPath, L"b.rec");
    EXPECT_EQ(Read({L"a.rec", L""}).playbackPath, L"");
    EXPECT_EQ(Read({L"x=1=2.rec"}).playbackPath, L"x=1=2.rec");
    for (const wchar_t* lookalike : {L"/speedy=4", L"-speed=4", L"/speed:4", L" /speed=4", L"/repeat=3"}) {
        CommandLineSettings s = Read({lookalike});
        EXPECT_EQ(s.playbackPath, lookalike);
        EXPECT_EQ(s.speedDivisor, 1);
        EXPECT_EQ(s.repeatCount, 0);
    }
}

TEST(ReadCommandLineParameters, UnquotedPathWithSpacesKeepsOnlyItsLastPiece)
{
    Words words = SplitCommandLine(L"Tandrel.exe C:\\My Records\\a b.rec /speed=2");
    CommandLineSettings settings{1, 0, L""};
    ReadCommandLineParameters(words, &settings);
    EXPECT_EQ(settings.playbackPath, L"b.rec");
    EXPECT_EQ(settings.speedDivisor, 2);
}
