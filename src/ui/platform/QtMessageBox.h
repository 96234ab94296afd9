#pragma once

#include "platform/MessageBox.h"

namespace qb {

class QtMessageBox final : public MessageBox {
public:
    MessageAnswer Show(const QString& text, MessageStyle style, const QString& title) override;
};

} // namespace qb
