# Unattended runs that leave a line in the run log, and one Tandrel per desktop.
tandrel_e2e_test(e2e_run_log test_run_log.py)
tandrel_e2e_test(e2e_one_tandrel test_one_tandrel.py)
