#pragma once
// The arithmetic of the category selection screen: the proposed question count and time limit,
// and the checks made before a session starts, with the messages the user sees.
#include <QString>
#include <optional>

// numerator / denominator rounded to the nearest integer, a half going to the even neighbour.
// denominator must be positive.
long long roundHalfEven(long long numerator, long long denominator);

// A question count and a time limit in minutes, as proposed in Edit1 and Edit2.
struct Proposal {
    int count = 0;
    int minutes = 0;
    bool operator==(const Proposal&) const = default;
};

// When the screen is shown: with fewer available questions (A) than the mock exam holds (M),
// A questions in T / M x A minutes; otherwise M questions in T minutes.
Proposal showProposal(int available, int mockCount, int mockMinutes);

// When the mock exam mode is chosen: M questions in T minutes only when M < A; otherwise A
// questions in A x 1.5 minutes.
Proposal mockExamProposal(int available, int mockCount, int mockMinutes);

// What the start button makes of the two fields.
struct StartCheck {
    // Set when the session may not start: the text of the "Error" box.
    std::optional<QString> problem;
    // The count field gets the focus after the box.
    bool focusCount = false;
    int count = 0;
    int minutes = 0; // 0: untimed
};

// Reads the count (Edit1) and the minutes (Edit2) as decimal integers and checks them against
// the available count. Blanks around a number are allowed; anything else is not an integer.
StartCheck checkStart(const QString& countText, const QString& minutesText, int available);

// Parses a decimal integer with an optional sign and blanks around it; nothing when the text is
// not one or does not fit an int.
std::optional<int> parseFieldInteger(const QString& text);

namespace startmessages
{
inline const QString badTimeLimit = QStringLiteral("制限時間が不正です。確認してください。");
inline const QString tooMany = QStringLiteral("問題はそんなにありません");
inline const QString tooFew = QStringLiteral("問題数を増やしてください");
inline const QString noQuestions = QStringLiteral("選択しているカテゴリには問題がありません");
inline const QString notInteger = QStringLiteral("出題数と制限時間を確認してください");
} // namespace startmessages
