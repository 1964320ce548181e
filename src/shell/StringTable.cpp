#include "shell/StringTable.h"

#include <QHash>

QString stringTableText(int id)
{
    static const QHash<int, QString> texts{
        {65280, QStringLiteral("模擬試験の採点を行います")},
        {65281, QStringLiteral("試験を中断します")},
        {65282, QStringLiteral("正解及び解説を表示します")},
        {65283, QStringLiteral("前の模擬問題に戻ります")},
        {65284, QStringLiteral("次の模擬問題に進みます")},
        {65285, QStringLiteral("模擬試験の採点を行います")},
        {65286, QStringLiteral("テスト選択へ戻ります")},
        {65287, QStringLiteral("Quarvelを終了します")},
        {65288, QStringLiteral("解説を表示します")},
        {65303, QStringLiteral("Quarvelを終了します")},
        {65304, QStringLiteral("最新の模擬問題に更新します")},
        {65305, QStringLiteral("模擬試験結果より、実力診断を行います")},
        {65306, QStringLiteral("Quarvelに関する最新の情報を表示します")},
        {65307, QStringLiteral("選択したテストの模擬試験を実行します")},
        {65308, QStringLiteral("テスト選択へ戻ります")},
        {65309, QStringLiteral("模擬試験結果をQuarvelセンターに転送して診断を受けます")},
        {65310, QStringLiteral("模擬試験を開始します")},
        {65311, QStringLiteral("テスト選択に戻ります")},
    };
    return texts.value(id);
}

const QList<StringTableHint>& buttonHints()
{
    static const QList<StringTableHint> hints{
        {65303, "CourseMenuForm", "Button4"}, {65304, "CourseMenuForm", "Button5"},
        {65305, "CourseMenuForm", "Button3"}, {65306, "CourseMenuForm", "Image2"},
        {65307, "CourseMenuForm", "Button2"}, {65308, "StudyForm", "Button2"},
        {65309, "StudyForm", "Button3"},      {65310, "CatSelForm", "Button1"},
        {65311, "CatSelForm", "Button2"},     {65280, "ExamModeForm", "Button4"},
        {65281, "ExamModeForm", "Button3"},   {65282, "ExamModeForm", "Button1"},
        {65283, "ExamModeForm", "Button6"},   {65284, "ExamModeForm", "Button2"},
        {65285, "ConfirmForm", "Button1"},    {65286, "ResultForm", "Button3"},
        {65287, "ResultForm", "Button1"},     {65288, "CheatForm", "Button2"},
    };
    return hints;
}
