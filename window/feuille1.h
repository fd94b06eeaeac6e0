#pragma once

#include <cstdint>
#include <memory>
#include <utility>

#include "picture/point_cloud.h"

#include "runtime/form.h"

class BusyState;

// The program's one window: two bound fields, a busy label and the list of
// results. Its code sees the window only through runtime::Form.
class Feuille1 final : public runtime::FormEvents {
 public:
  // The most result lines one search writes, which bounds the list's memory.
  static constexpr std::int64_t kMaxResultLines = 10'000'000;

  explicit Feuille1(runtime::Form& form) : form_(form) {}

  void load() override { Form_Load(); }
  void change(runtime::ControlId textBox) override;
  void keyPress(runtime::ControlId textBox, std::int16_t keyAscii) override;
  void keyDown(std::int16_t keyCode) override { Form_KeyDown(keyCode); }
  void saveRequested(runtime::ControlId list) override;
  void pictureRequested(runtime::ControlId list) override;
  void unload() override { Form_Unload(); }

  void Form_Load();
  void Form_KeyDown(std::int16_t keyCode);
  void Form_Unload();
  void Texte1_Change(std::int16_t index);
  void Texte1_KeyPress(std::int16_t index, std::int16_t keyAscii);
  void Liste1_Save();
  void Liste1_Nuage();

 private:
  // How a search's writing of results ended.
  enum class Outcome : std::uint8_t { Completed, Stopped, ListFull, Closing };

  void Calculer();
  Outcome writeResults(std::int32_t lower, std::int32_t upper, std::int64_t& written, BusyState& busy);

  runtime::Form& form_;
  std::int32_t borneInf = 0;
  std::int32_t borneSup = 0;
  std::pair<std::int32_t, std::int32_t> listBounds_;  // the bounds of the search in Liste1
  // The points of the hits in Liste1, which its picture shares: a new search
  // makes new ones and leaves an open picture its own.
  std::shared_ptr<picture::PointCloud> listPoints_;
  bool searching_ = false;
  bool stopRequested_ = false;
  bool closing_ = false;
};
