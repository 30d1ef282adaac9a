        ORG 0x2100

;==================================================================================================
; ----------------------------------- Характеристика 1 -------------------------------------------
;==================================================================================================
     DATA     .87           ; 0
     DATA     .19           ; 1
     DATA     .92           ; 2
     DATA     .26           ; 3
     DATA     .97           ; 4
     DATA     .36           ; 5
     DATA     .101           ; 6
     DATA     .46           ; 7
     DATA     .104           ; 8
     DATA     .55           ; 9
     DATA     .107           ; A
     DATA     .65           ; B
     DATA     .109           ; C
     DATA     .73           ; D
     DATA     .111           ; E
     DATA     .82           ; F
     DATA     .113           ; 10
     DATA     .92           ; 11
     DATA     .114           ; 12
     DATA     .97           ; 13
     DATA     .116           ; 14
     DATA     .109           ; 15
     DATA     .117           ; 16
     DATA     .116           ; 17
     DATA     .118           ; 18
     DATA     .123           ; 19
     DATA     .118           ; 1A
     DATA     .123           ; 1B
     DATA     .119           ; 1C
     DATA     .131           ; 1D
     DATA     .120           ; 1E
     DATA     .140           ; 1F
     DATA     .121           ; 20
     DATA     .149           ; 21
     DATA     .121           ; 22
     DATA     .149           ; 23
     DATA     .122           ; 24
     DATA     .159           ; 25
     DATA     .122           ; 26
     DATA     .159           ; 27
     DATA     .122           ; 28
     DATA     .159           ; 29
     DATA     .123           ; 2A
     DATA     .170           ; 2B
     DATA     .123           ; 2C
     DATA     .170           ; 2D
     DATA     .124           ; 2E
     DATA     .183           ; 2F
     DATA     .124           ; 30
     DATA     .183           ; 31
     DATA     .124           ; 32
     DATA     .183           ; 33
     DATA     .124           ; 34
     DATA     .183           ; 35
     DATA     .125           ; 36
     DATA     .197           ; 37
     DATA     .125           ; 38
     DATA     .198           ; 39
     DATA     .125           ; 3A
     DATA     .198           ; 3B

;==================================================================================================
; ----------------------------------- Характеристика 2 -------------------------------------------
;==================================================================================================
     DATA     .107           ; 3C
     DATA     .15           ; 3D
     DATA     .111           ; 3E
     DATA     .21           ; 3F
     DATA     .114           ; 40
     DATA     .27           ; 41
     DATA     .117           ; 42
     DATA     .34           ; 43
     DATA     .118           ; 44
     DATA     .37           ; 45
     DATA     .120           ; 46
     DATA     .44           ; 47
     DATA     .121           ; 48
     DATA     .48           ; 49
     DATA     .122           ; 4A
     DATA     .52           ; 4B
     DATA     .123           ; 4C
     DATA     .58           ; 4D
     DATA     .123           ; 4E
     DATA     .58           ; 4F
     DATA     .124           ; 50
     DATA     .63           ; 51
     DATA     .124           ; 52
     DATA     .63           ; 53
     DATA     .125           ; 54
     DATA     .70           ; 55
     DATA     .125           ; 56
     DATA     .70           ; 57
     DATA     .125           ; 58
     DATA     .70           ; 59
     DATA     .126           ; 5A
     DATA     .79           ; 5B
     DATA     .126           ; 5C
     DATA     .79           ; 5D
     DATA     .126           ; 5E
     DATA     .79           ; 5F
     DATA     .126           ; 60
     DATA     .79           ; 61
     DATA     .126           ; 62
     DATA     .79           ; 63
     DATA     .127           ; 64
     DATA     .90           ; 65
     DATA     .127           ; 66
     DATA     .90           ; 67
     DATA     .127           ; 68
     DATA     .90           ; 69
     DATA     .127           ; 6A
     DATA     .90           ; 6B
     DATA     .127           ; 6C
     DATA     .90           ; 6D
     DATA     .127           ; 6E
     DATA     .90           ; 6F
     DATA     .127           ; 70
     DATA     .90           ; 71
     DATA     .127           ; 72
     DATA     .90           ; 73
     DATA     .127           ; 74
     DATA     .90           ; 75
     DATA     .127           ; 76
     DATA     .89           ; 77
     DATA     0x1D           ; 78     Tmaxh
     DATA     0x4C           ; 79     Tmaxl
     DATA     0x9           ; 7A     Tminh
     DATA     0xC4           ; 7B     Tminl


INPUT_DELAY          EQU         .7
T2CON_RESET          EQU         B'00000000'
PR2_RESET            EQU         .91
#define      single_pulse

