#pragma once

#include "forms/Form.h"

// The save prompt.
class Kassav : public Form {
    Q_OBJECT
public:
    explicit Kassav(Forms& forms);
};
