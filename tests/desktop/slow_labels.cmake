# Read by ctest after the discovered desktop tests: the slow ones get both
# labels ("desktop" and "slow").
foreach(desktop_slow_test IN LISTS desktop_slow_tests)
  set_tests_properties("${desktop_slow_test}" PROPERTIES LABELS "desktop;slow")
endforeach()
