object DemoOptionsFrame: TDemoOptionsFrame
  Width = 252
  Height = 170
  object OptionsBox: TGroupBox
    Left = 0
    Top = 0
    Width = 252
    Height = 170
    Caption = '框架里的控件'
    TabOrder = 0
    object NameLabel: TLabel
      Left = 12
      Top = 28
      Caption = '名称：'
    end
    object NameEdit: TEdit
      Left = 70
      Top = 24
      Width = 168
      Height = 24
      TabOrder = 0
    end
    object RememberCheck: TCheckBox
      Left = 12
      Top = 60
      Width = 220
      Height = 20
      Caption = '记住设置'
      Checked = True
      TabOrder = 1
    end
    object Progress1: TProgressBar
      Left = 12
      Top = 90
      Width = 226
      Height = 16
      Position = 60
    end
    object ApplyButton: TButton
      Left = 138
      Top = 120
      Width = 100
      Height = 30
      Caption = '应用'
      TabOrder = 2
    end
  end
end
