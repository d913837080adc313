#pragma once

#include "forms/Form.h"

// The about window.
class About : public Form {
    Q_OBJECT
public:
    explicit About(Forms& forms);
};
