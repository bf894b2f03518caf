; A text engine. Strings hold tiles and control codes: 00 ends, 01 starts a
; new line, 02 n sets the colour, 03 lo hi calls a routine, 04 lo hi prints
; the byte at an address in hex, 05 n repeats the next tile n times. Strings
; come inline after a call, by pointer in the two bytes after a call with the
; place to print them, or from a table by number. Screens are chosen by a
; jump engine: the call to it is followed by the table of its targets.

.segment "HEADER"
  .byte "NES", $1A, 2, 1, $00, $00
  .res 8, 0

.segment "ZEROPAGE"
src:     .res 2
ret:     .res 2
vec:     .res 2
colour:  .res 1
column:  .res 1
row:     .res 1
count:   .res 1
screen:  .res 1
score:   .res 2
nmi_ok:  .res 1
tmp:     .res 1

.segment "BSS"
line_buf: .res 32

.segment "CODE"
; Prints the string after the call; returns after its end.
print_inline:
  pla
  sta src
  pla
  sta src+1
  inc src
  bne :+
  inc src+1
: jsr print_src
  lda src+1
  pha
  lda src
  pha
  rts                       ; to the byte after the end

; The call is followed by a row, a column and the string's address.
print_at:
  pla
  sta ret
  pla
  sta ret+1
  ldy #1
  lda (ret),y
  sta row
  iny
  lda (ret),y
  sta column
  iny
  lda (ret),y
  sta src
  iny
  lda (ret),y
  sta src+1
  lda ret
  clc
  adc #4
  tax
  lda ret+1
  adc #0
  pha
  txa
  pha
  jsr set_address
  ; falls into print_src

; Prints from src up to a 00, leaving src on the 00.
print_src:
  ldy #0
  lda (src),y
  beq @end
  cmp #6
  bcs @tile
  jsr control
  jmp print_src
@tile:
  ora colour
  sta $2007
  jsr next_src
  jmp print_src
@end:
  rts

next_src:
  inc src
  bne :+
  inc src+1
: rts

; A = control code 1-5; src is on it.
control:
  asl a
  tax
  lda control_table-2,x
  sta vec
  lda control_table-1,x
  sta vec+1
  jsr next_src
  jmp (vec)

control_table: .addr ctl_newline, ctl_colour, ctl_call, ctl_hex, ctl_repeat

ctl_newline:
  inc row
  lda #2
  sta column
  jmp set_address

ctl_colour:
  ldy #0
  lda (src),y
  sta colour
  jmp next_src

ctl_call:
  ldy #0
  lda (src),y
  sta vec
  iny
  lda (src),y
  sta vec+1
  jsr next_src
  jsr next_src
  lda src
  pha
  lda src+1
  pha
  jsr @go
  pla
  sta src+1
  pla
  sta src
  rts
@go:
  jmp (vec)

ctl_hex:
  ldy #0
  lda (src),y
  sta vec
  iny
  lda (src),y
  sta vec+1
  jsr next_src
  jsr next_src
  ldy #0
  lda (vec),y
  pha
  lsr a
  lsr a
  lsr a
  lsr a
  jsr hex_digit
  pla
  and #$0F
hex_digit:
  tax
  lda digits,x
  sta $2007
  rts

digits: .byte "0123456789ABCDEF"

ctl_repeat:
  ldy #0
  lda (src),y
  sta count
  iny
  lda (src),y
  ora colour
@put:
  sta $2007
  dec count
  bne @put
  jsr next_src
  jmp next_src

; The PPU address of row, column.
set_address:
  lda row
  lsr a
  lsr a
  lsr a
  ora #$20
  sta $2006
  lda row
  asl a
  asl a
  asl a
  asl a
  asl a
  ora column
  sta $2006
  rts

; Routines the strings call.
show_lives:
  lda #'3'
  sta $2007
  rts

show_time:
  lda score
  and #7
  clc
  adc #'0'
  sta $2007
  rts

; Prints string number A from the table.
print_number:
  asl a
  tay
  lda strings,y
  sta src
  lda strings+1,y
  sta src+1
  jmp print_src

; A = screen; the call is followed by one address per screen.
jump_engine:
  asl a
  tay
  pla
  sta vec
  pla
  sta vec+1
  iny
  lda (vec),y
  sta ret
  iny
  lda (vec),y
  sta ret+1
  jmp (ret)

draw_screen:
  lda screen
  jsr jump_engine
  .addr screen_title, screen_status, screen_end

screen_title:
  jsr print_inline
  .byte 1, 2, $10, "MORVANE", 1, 5, 3, '-', 0
  jsr print_at
  .byte 10, 4
  .addr msg_press
  jsr print_at
  .byte 12, 4
  .addr msg_lives
  rts

screen_status:
  jsr print_inline
  .byte "SCORE ", 4
  .addr score
  .byte 4
  .addr score+1
  .byte 0
  lda #2
  jsr print_number
  rts

screen_end:
  lda #0
  beq skip_over                  ; always: the bytes below are the message
msg_over:
  .byte 2, $20, "GAME OVER", 0
skip_over:
  lda #<msg_over
  sta src
  lda #>msg_over
  sta src+1
  jsr print_src
  lda #1
  jsr print_number
  rts

.segment "RODATA"
msg_press: .byte "PRESS START", 0
msg_lives: .byte "LIVES ", 3
           .addr show_lives
           .byte "  TIME ", 3
           .addr show_time
           .byte 0
strings:   .addr msg_press, msg_lives, str_thanks
str_thanks: .byte "THANK YOU", 1, "FOR PLAYING", 0

.segment "FIXED"
reset:
  sei
  cld
  ldx #$FF
  txs
  inx
  stx $2000
  stx $2001
: bit $2002
  bpl :-
: bit $2002
  bpl :-
  lda #0
  sta screen
@again:
  lda #0
  sta $2001
  jsr draw_screen
  lda #0
  sta $2005
  sta $2005
  lda #$0A
  sta $2001
  lda #$80
  sta $2000
  ldx #120
@wait:
  lda nmi_ok
  beq @wait
  lda #0
  sta nmi_ok
  dex
  bne @wait
  sta $2000
  inc screen
  lda screen
  cmp #3
  bcc @again
  lda #0
  sta screen
  beq @again

nmi:
  inc nmi_ok
  inc score
  bne :+
  inc score+1
: rti

irq:
  rti

.segment "VECTORS"
  .addr nmi, reset, irq
