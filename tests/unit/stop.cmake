# The check of the address through which the main window reads a move's position.
tandrel_unit_test(unit_move_position_address SOURCES MovePositionAddressTest.cpp)
