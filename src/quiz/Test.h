#pragma once

#include "forms/Form.h"

// The quiz window.
class Test : public Form {
    Q_OBJECT
public:
    explicit Test(Forms& forms);
};
