#pragma once

#include "forms/Form.h"

// The word-list editor.
class Editor : public Form {
    Q_OBJECT
public:
    explicit Editor(Forms& forms);
};
