#include "tests/recording_form.h"

#include "runtime/layout.h"
#include "runtime/runtime_error.h"

std::string RecordingForm::text(runtime::ControlId textBox) const {
  const auto found = texts.find(textBox);
  return found == texts.end() ? std::string{} : found->second;
}

void RecordingForm::setVisible(runtime::ControlId control, bool isVisible) { visible[control] = isVisible; }

void RecordingForm::clear(runtime::ControlId list) {
  ++clearCalls;
  lists[list].clear();
  itemCounts[list] = 0;
  lastLines[list].clear();
}

void RecordingForm::addItem(runtime::ControlId list, std::string_view line) {
  if (failNextAddItem) {
    failNextAddItem = false;
    throw runtime::RuntimeError("échec de l'ajout d'une ligne à la liste");
  }
  std::vector<std::string>& lines = lists[list];
  if (lines.size() < keepAtMost) lines.emplace_back(line);
  ++itemCounts[list];
  lastLines[list] = line;
}

std::optional<std::string> RecordingForm::chooseListFile(std::string_view fileName) {
  proposedFileNames.emplace_back(fileName);
  return chosenFile;
}

bool RecordingForm::writeList(runtime::ControlId list, const std::string& path,
                              const std::function<bool(double)>& keepGoing) {
  const std::vector<std::string>& lines = lists[list];
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == failWritingAt) throw runtime::RuntimeError("échec de l'écriture de " + path);
    if (!keepGoing(static_cast<double>(i + 1) / static_cast<double>(lines.size()))) return false;
  }
  savedLines = lines;
  savedPath = path;
  return true;
}

void RecordingForm::showImage(runtime::ControlId pictureBox, const runtime::GreyImage& image) {
  images[pictureBox] = {image.width, image.height, {image.pixels.begin(), image.pixels.end()}};
}

std::optional<std::string> RecordingForm::chooseImageFile(std::string_view fileName) {
  proposedFileNames.emplace_back(fileName);
  return chosenFile;
}

void RecordingForm::writeImage(const std::string& path, const runtime::GreyImage& image) {
  savedImage = {image.width, image.height, {image.pixels.begin(), image.pixels.end()}};
  savedPath = path;
}

void RecordingForm::openForm(const runtime::FormLayout& layout, const runtime::CreateForm& createForm) {
  auto form = std::make_unique<RecordingForm>();
  auto events = createForm(*form);
  events->load();
  opened.push_back({layout.name, std::move(form), std::move(events)});
}

void RecordingForm::setMousePointer(runtime::MousePointer shape) { pointer = shape; }

void RecordingForm::setCaption(std::string_view text) { captions.emplace_back(text); }

void RecordingForm::doEvents() {
  ++doEventsCalls;
  if (onDoEvents) onDoEvents(doEventsCalls);
}

std::chrono::steady_clock::time_point RecordingForm::now() const {
  clock_ += tick;
  return clock_;
}
