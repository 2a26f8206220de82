#include "support/answer_frame.h"
#include "gauge/registration_rows.h"
#include "support/test_printers.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using test::MakeAnswer;
using test::Payload;

QString U(const char *utf8) { return QString::fromUtf8(utf8); }

TEST(RegistrationRows, BlocksFollowTheTickedSlots)
{
    using R = RegistrationRead;
    const struct {
        R read;
        int block;
        int firstRow;
    } cases[] = {{R::Primary, 1, 1},  {R::Primary, 10, 10},           {R::CurrentAndVariables, 1, 1},
                 {R::CurrentAndVariables, 2, 6}, {R::CurrentAndVariables, 10, 46}, {R::Variables, 1, 1},
                 {R::Variables, 3, 9}};
    for (const auto &c : cases)
        EXPECT_EQ(RegistrationBlockFirstRow(c.read, c.block), c.firstRow);
    EXPECT_EQ(RegistrationReadOfCommand(1), R::Primary);
    EXPECT_EQ(RegistrationReadOfCommand(3), R::CurrentAndVariables);
    EXPECT_EQ(RegistrationReadOfCommand(33), R::Variables);
    EXPECT_FALSE(RegistrationReadOfCommand(6));
}

TEST(RegistrationRows, AnswerBlocks)
{
    VariableSelection s;
    const auto primary = MakeAnswer(5, 1, Payload().Byte(0).Float(1.0f));
    const std::optional<RegistrationBlock> b1 = RegistrationAnswerBlock(primary.View(), 2, s);
    ASSERT_TRUE(b1);
    EXPECT_EQ(b1->firstRow, 2);
    EXPECT_EQ(b1->address, U("5"));
    EXPECT_EQ(b1->command, U("1"));
    EXPECT_EQ(b1->rows, (ResultRows{{U("Давление"), U("1,0000000")}}));

    const auto current = MakeAnswer(12, 3, Payload().Float(4).Float(0).Float(0).Float(0).Float(24.56f));
    const std::optional<RegistrationBlock> b3 = RegistrationAnswerBlock(current.View(), 2, s);
    ASSERT_TRUE(b3);
    EXPECT_EQ(b3->firstRow, 6);
    EXPECT_EQ(b3->command, U("3"));
    ASSERT_EQ(b3->rows.size(), 5u);
    EXPECT_EQ(b3->rows[0], (ResultRowTexts{U("Ток, мА "), U("4,0000000")}));
    // Without the trailing blank that the setup table and the no-answer rows have.
    EXPECT_EQ(b3->rows[4], (ResultRowTexts{U("t микропроцессора,°С"), U("24,56")}));

    s.requestedCodes = {0, 1, 13, 11};
    s.selectedPositions = {1, 2, 12, 11};
    Payload p;
    p.Byte(0).Byte(3).Float(101.325f).Byte(1).Byte(0).Float(12.0f).Byte(13).Byte(0).Float(4000).Byte(11).Byte(0).Float(3);
    const std::optional<RegistrationBlock> b33 = RegistrationAnswerBlock(MakeAnswer(7, 33, p).View(), 1, s);
    ASSERT_TRUE(b33);
    EXPECT_EQ(b33->command, U("33"));
    EXPECT_EQ(b33->rows, (ResultRows{{U("1. Давление, кПа"), U("101,3250000")},
                                     {U("2. Токовый сигнал, мА"), U("12,0000000")},
                                     {U("12. ЦАП0 (DacMin)"), U("4000")},
                                     {U("11. Модификация прибора"), U("КВ-310В")}}));

    EXPECT_FALSE(RegistrationAnswerBlock(MakeAnswer(5, 6, {5}).View(), 1, s));
}

TEST(RegistrationRows, NoAnswerBlocks)
{
    const std::array<int, 4> lists{5, 5, 17, 1};
    const RegistrationBlock p = RegistrationNoAnswerBlock(RegistrationRead::Primary, 3, 12, lists);
    EXPECT_EQ(p.firstRow, 3);
    EXPECT_EQ(p.address, U("12"));
    EXPECT_EQ(p.command, U("1"));
    EXPECT_EQ(p.rows, (ResultRows{{U("Давление"), U("Нет ответа")}}));

    const RegistrationBlock c = RegistrationNoAnswerBlock(RegistrationRead::CurrentAndVariables, 2, 0, lists);
    EXPECT_EQ(c.firstRow, 6);
    EXPECT_EQ(c.command, U("3"));
    EXPECT_EQ(c.rows, (ResultRows{{U("Ток, мА "), U("Нет ответа")},
                                  {U("Давление "), U("Нет ответа")},
                                  {U("Um, код АЦП "), U("Нет ответа")},
                                  {U("Udif, код АЦП "), U("Нет ответа")},
                                  {U("t микропроцессора,°С "), U("Нет ответа")}}));

    const RegistrationBlock v = RegistrationNoAnswerBlock(RegistrationRead::Variables, 2, 200, lists);
    EXPECT_EQ(v.firstRow, 5);
    EXPECT_EQ(v.command, U("33"));
    EXPECT_EQ(v.rows, (ResultRows{{U("5. Температура микропроцессора"), U("Нет ответа")},
                                  {U("5. Температура микропроцессора"), U("Нет ответа")},
                                  {U("17. Исполнение сигнализирующего устройства"), U("Нет ответа")},
                                  {U("1. Давление"), U("Нет ответа")}}));
}

} // namespace
} // namespace orv
