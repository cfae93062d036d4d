#include "evaluation/designfields.h"

namespace vt::evaluation {

const DesignField* FieldOf(Input input) {
    for (const DesignField& field : kDesignFields)
        if (field.input == input)
            return &field;
    return nullptr;
}

} // namespace vt::evaluation
