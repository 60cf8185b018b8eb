#pragma once
// The course catalogue: one course per ".Base" file of the courses folder, listed once when the
// application object is built. Owns the courses; owned by the root (the application object).
// User-interface thread only.

#include <map>
#include <memory>
#include <string>

#include "foundation/tltobject.h"

class TCourse;

class TCourses : public TLTObject {
public:
  // Takes the courses folder from the environment and lists it.
  explicit TCourses(TRoot* owner);
  ~TCourses() override;

  // Stores the folder without listing it again; true.
  bool setDirectory(const std::string& folder);
  const std::string& getDirectory() const { return Directory; }

  // One course per regular file matching "*.Base" (letter case ignored), named after the entry
  // without its last extension; folders and other entries of such names are passed over. A
  // missing folder gives no course. Raises the course's error for a file that went between
  // the listing and the course's construction.
  void Load();
  // Adds a course for each course file that came since the listing; the courses listed before
  // stay as they are (a loaded one keeps its base). Passes over and raises as Load does.
  void AddNew();
  void Clear();

  // The course of exactly that name (letter case counts), or none.
  TCourse* getCourse(const std::string& name) const;

private:
  std::string Directory;
  std::map<std::string, std::unique_ptr<TCourse>> Courses;
};
