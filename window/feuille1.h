#pragma once

#include <cstdint>

#include "runtime/form.h"

// The program's one window: two bound fields, a busy label and the list of
// results. Its code sees the window only through runtime::Form.
class Feuille1 final : public runtime::FormEvents {
 public:
  explicit Feuille1(runtime::Form& form) : form_(form) {}

  void load() override { Form_Load(); }
  void change(runtime::ControlId textBox) override;
  void keyPress(runtime::ControlId textBox, std::int16_t keyAscii) override;

  void Form_Load();
  void Texte1_Change(std::int16_t index);
  void Texte1_KeyPress(std::int16_t index, std::int16_t keyAscii);

 private:
  void Calculer();

  runtime::Form& form_;
  std::int32_t borneInf = 0;
  std::int32_t borneSup = 0;
  bool searching_ = false;
};
