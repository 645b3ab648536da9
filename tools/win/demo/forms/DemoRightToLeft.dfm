object DemoRightToLeft: TDemoPlainForm
  Left = 820
  Top = 300
  Width = 340
  Height = 220
  BiDiMode = bdRightToLeft
  Caption = '从右到左的窗口'
  Font.Charset = 134
  Font.Height = -14
  Font.Name = '宋体'
  Menu = MainMenu1
  Position = poDesigned
  object Label1: TLabel
    Left = 150
    Top = 12
    Caption = '文字从右向左排列'
  end
  object Edit1: TEdit
    Left = 20
    Top = 40
    Width = 280
    Height = 24
    TabOrder = 0
  end
  object CloseButton: TButton
    Left = 210
    Top = 80
    Width = 90
    Height = 28
    Caption = '关闭'
    TabOrder = 1
    OnClick = CloseClick
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '文件(&F)'
      object Close1: TMenuItem
        Caption = '关闭(&C)'
        OnClick = CloseClick
      end
    end
    object Edit2: TMenuItem
      Caption = '编辑(&E)'
      object Bold1: TMenuItem
        Caption = '粗体(&B)'
        ShortCut = 16450
        Checked = True
        OnClick = CheckClick
      end
    end
  end
end
