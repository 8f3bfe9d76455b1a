#include "platform/widgets/EditingFinished.h"

#include "support/FieldInEdit.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A window of two fields, one through a member function and one through a
// callable, each counting its edits in a list that outlives the window.
class TwoFields : public QWidget {
    Q_OBJECT
public:
    explicit TwoFields(std::vector<int>& ends)
        : m_ends(ends), m_text(new QLineEdit(this)), m_number(new QSpinBox(this))
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_text);
        layout->addWidget(m_number);
        EditingFinished::connect(m_text, this, &TwoFields::textEnded);
        EditingFinished::connect(m_number, this, [this] { m_ends.push_back(m_number->value()); });
    }

    QLineEdit* text() const { return m_text; }
    QSpinBox* number() const { return m_number; }

private:
    void textEnded() { m_ends.push_back(m_text->text().toInt()); }

    std::vector<int>& m_ends;
    QLineEdit* m_text;
    QSpinBox* m_number;
};

// A window whose base connected the field.
class MoreFields final : public TwoFields {
    Q_OBJECT
public:
    using TwoFields::TwoFields;
};

}  // namespace

TEST(EditingFinished, AWindowGoingAwayWithAFieldInEditIsNotCalledHalfDestroyed)
{
    for (const bool number : {false, true}) {
        std::vector<int> ends;
        auto window = std::make_unique<TwoFields>(ends);
        QWidget* field = number ? static_cast<QWidget*>(window->number()) : window->text();
        ASSERT_TRUE(FieldInEdit::destroy(std::move(window), *field)) << "field " << number;
        EXPECT_TRUE(ends.empty()) << "field " << number;
    }
}

TEST(EditingFinished, AWindowConnectedInItsBaseTakesEditsAndGoesAwayAlike)
{
    std::vector<int> ends;
    auto window = std::make_unique<MoreFields>(ends);
    window->text()->setText("3");
    emit window->text()->editingFinished();
    EXPECT_EQ(ends, std::vector<int>{3});
    QWidget* field = window->text();
    ASSERT_TRUE(FieldInEdit::destroy(std::move(window), *field));
    EXPECT_EQ(ends, std::vector<int>{3});
}

#include "EditingFinishedTest.moc"
