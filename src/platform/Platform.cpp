#include "platform/Platform.h"

#include <QPrinter>

Platform::Platform() = default;
Platform::~Platform() = default;

QPrinter& Platform::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}
