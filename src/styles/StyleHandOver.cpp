#include "styles/StyleHandOver.h"

#include "bank/QuestionBank.h"

StyleQuestion& StyleHandOver::question(int style)
{
    const int index = (style >= kStyleGraphic && style <= kStyleConnector) ? style - kStyleGraphic : 0;
    return questions[size_t(index)];
}
