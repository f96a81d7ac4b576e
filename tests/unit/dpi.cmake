# Display scaling arithmetic.
tandrel_unit_test(unit_dpi_scaling SOURCES DpiScalingTest.cpp)
