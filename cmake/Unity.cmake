# Under the sanitizers most of a file's compile time goes on the code the
# common headers instantiate, once per file: compiled in batches, a target's
# files share it. ./test.sh turns it on; a build of single files still shows
# a file that misses an include.
option(NORVANE_UNITY "Compile each target's files in batches" OFF)
set(NORVANE_UNITY_BATCH_SIZE 16)

# Files that hold file-local names (in an anonymous namespace or static) that
# another file of their target holds too: each compiles on its own.
set(NORVANE_UNITY_ALONE
  src/app/DomeLink.cpp
  src/app/JMIFocuserLink.cpp
  src/app/SG4Link.cpp
  src/camera/canon/CanonExposure.cpp
  src/camera/canon/CanonStart.cpp
  src/camera/image/ImageFilters.cpp
  src/camera/sg4/SG4Guider.cpp
  src/camera/views/sg4/SG4Panel.cpp
  src/chart/appmenu/MpcorbUpdate.cpp
  src/chart/appmenu/VersionChecker.cpp
  src/chart/painting/ConstellationPainter.cpp
  src/find/FindObjectsVoice.cpp
  src/find/panels/InfoPanelControl.cpp
  src/find/panels/PanelKeyControl.cpp
  src/find/panels/TonightWindow.cpp
  src/mount/dome/DomeActions.cpp
  src/mount/dome/DomeBoard.cpp
  src/mount/dome/DomeBoardExchange.cpp
  src/mount/dome/DomeConnect.cpp
  src/mount/dome/DomeControl.cpp
  src/mount/families/FamilyInputs.cpp
  src/mount/families/IOptronFamily.cpp
  src/mount/families/LX200Commands.cpp
  src/mount/families/LX200Family.cpp
  src/mount/families/LX200Site.cpp
  src/mount/families/NexStarFamily.cpp
  src/mount/panels/DomePanel.cpp
  src/remote/ControllerCommands.cpp
  src/scopeview/SVReadouts.cpp
  src/skydraw/DeepSkyPhotos.cpp
  src/solarsystem/smallbodies/ParallelMinorPlanets.cpp
  tests/app/AllSkySG4SessionTest.cpp
  tests/app/FocuserSessionTest.cpp
  tests/app/MountSessionTest.cpp
  tests/app/NexStarSessionTest.cpp
  tests/app/PrefSitesWiringTest.cpp
  tests/app/ScopeTrackMountTest.cpp
  tests/app/WebcamWiringTest.cpp
  tests/camera/GuideSky.cpp
  tests/chart/UpdateChainTest.cpp
  tests/chart/appmenu/MpcorbUpdateTest.cpp
  tests/chart/painting/OutlineAndReticleTest.cpp
  tests/chart/painting/SkyBackgroundPainterTest.cpp
  tests/chart/painting/StarLayerPainterTest.cpp
  tests/find/TourControlTest.cpp
  tests/find/TransitTimesTest.cpp
  tests/mount/HandPanelsTest.cpp
  tests/mount/LX200FamilyTest.cpp
  tests/mount/MountEndToEndTest.cpp
  tests/mount/SerialReadersTest.cpp
  tests/mount/WiFiBridgeTest.cpp
  tests/mount/WiFiPanelTest.cpp
  tests/platform/LazyOwnerTest.cpp
  tests/platform/SafeWriteTest.cpp
  tests/remote/ControllerTest.cpp
  tests/remote/VoiceCommandsTest.cpp
  tests/scopeview/NomadReplyTest.cpp
  tests/scopeview/PrintSVViewTest.cpp
  tests/scopeview/SVGeometryTest.cpp
  tests/scopeview/SVLayersTest.cpp
  tests/scopeview/SVPointerTest.cpp
  tests/skydraw/MoonDiscTest.cpp
  tests/solarsystem/SmallBodyApparentTest.cpp
  tests/support/LX200Personality.cpp
  tests/support/TemmaSimulator.cpp
)

# Targets compiled file by file until their files are checked for file-local
# names they share.
set(NORVANE_UNITY_APART focus focus_views focusfit_code focus_tests platform_widgets platform_widgets_tests
    app_display_tests)

# The project's headers that include the X11 headers, whose macros (Status,
# None, Bool...) break the names of the files batched after them.
function(norvane_x11_headers out)
  file(GLOB_RECURSE headers ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/tests/*.h)
  set(found "")
  foreach(header IN LISTS headers)
    file(STRINGS ${header} x11 REGEX "^#include <(X11|xcb)/")
    if(x11)
      get_filename_component(name ${header} NAME)
      list(APPEND found ${name})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Each target's files go in groups of NORVANE_UNITY_BATCH_SIZE in the order
# the target lists them. A file left alone keeps its place, so that leaving
# one out does not bring two others together.
function(norvane_unity_all)
  if(NOT NORVANE_UNITY)
    return()
  endif()
  norvane_x11_headers(x11_headers)
  norvane_targets_under(${PROJECT_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(STATIC_LIBRARY|MODULE_LIBRARY|SHARED_LIBRARY|EXECUTABLE)$"
       OR target IN_LIST NORVANE_UNITY_APART)
      continue()
    endif()
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_MODE GROUP)
    # In a batch every file is an included one, where GCC takes a test fixture
    # in an anonymous namespace for a header's and warns of its use.
    target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    set(index 0)
    foreach(file IN LISTS sources)
      if(NOT IS_ABSOLUTE ${file})
        set(file ${source_dir}/${file})
      endif()
      math(EXPR group "${index} / ${NORVANE_UNITY_BATCH_SIZE}")
      math(EXPR index "${index} + 1")
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${file})
      file(STRINGS ${file} includes REGEX "^#include ")
      set(alone OFF)
      if(relative IN_LIST NORVANE_UNITY_ALONE OR includes MATCHES "<(X11|xcb)/")
        set(alone ON)
      endif()
      foreach(header IN LISTS x11_headers)
        if(includes MATCHES "[/\"]${header}\"")
          set(alone ON)
        endif()
      endforeach()
      if(NOT alone)
        set_source_files_properties(${file} DIRECTORY ${source_dir} PROPERTIES UNITY_GROUP ${target}_${group})
      endif()
    endforeach()
  endforeach()
endfunction()
