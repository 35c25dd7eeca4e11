#pragma once

#include "app/single_instance.h"
#include "platform/skin/skin_engine_binding.h"

#include <QWidget>
#include <cstdint>
#include <memory>

namespace trimvox {

// The main window. Its life is the program's life.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Creation step: refuses a second instance (message, then false: the caller ends the program without
    // a window), then prepares the data folder and applies the stored skin. True when the program goes on.
    bool Form_Initialize();
    // Load step: centres the window on its screen.
    void Form_Load();

    SkinApi& skinEngine() { return *skin_; }

    // The marks, in seconds, and the skin chosen with the skin button in this run (0 at start).
    double StartPos = 0.0;
    double EndPos = 0.0;
    std::int16_t SkinIndex = 0;

private:
    SingleInstance instance_;
    std::unique_ptr<SkinEngineBinding> skin_;
};

} // namespace trimvox
