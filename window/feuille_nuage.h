#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "picture/point_cloud.h"
#include "picture/raster.h"
#include "runtime/form.h"

// The picture window of a list's hits: their points, i across and j up, drawn
// at the window's size and drawn again as it is resized. It shares the points
// with the list's form, which never changes them once the search is over.
class FeuilleNuage final : public runtime::FormEvents {
 public:
  FeuilleNuage(runtime::Form& form, std::shared_ptr<const picture::PointCloud> points)
      : form_(form), points_(std::move(points)) {}

  void load() override { Form_Load(); }
  void change(runtime::ControlId /*textBox*/) override {}
  void keyPress(runtime::ControlId /*textBox*/, std::int16_t /*keyAscii*/) override {}
  void keyDown(std::int16_t keyCode) override { Form_KeyDown(keyCode); }
  void saveRequested(runtime::ControlId control) override;
  void resize() override { Form_Resize(); }
  void unload() override {}

  void Form_Load();
  void Form_KeyDown(std::int16_t keyCode);
  void Form_Resize();
  void Image1_Save();

 private:
  runtime::Form& form_;
  std::shared_ptr<const picture::PointCloud> points_;
  std::optional<picture::Raster> shown_;  // the picture in the window, which a save writes
};
