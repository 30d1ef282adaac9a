; A stand-in for the controller firmware, just enough for the tests to run the
; assembler on the generated table: it takes the constants of IgnTable.asm
; into its code and the table itself into the data EEPROM.

        LIST    P=16F628A
        errorlevel -302
        #include <p16f628a.inc>

        __CONFIG _CP_OFF & _WDT_OFF & _PWRTE_ON & _INTOSC_OSC_NOCLKOUT & _MCLRE_OFF & _BOREN_OFF & _LVP_OFF

        ORG     0x0000
        goto    start

        ORG     0x0004
start
        movlw   INPUT_DELAY         ; word 4
        movlw   PR2_RESET           ; word 5
        movlw   T2CON_RESET         ; word 6
        banksel PR2
        movwf   PR2
        banksel T2CON
        clrf    T2CON
idle
        goto    idle

        #include "IgnTable.asm"

        END
